#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

#include "form/controlkinds.h"
#include "form/jsonline.h"
#include "form/scriptedprompts.h"
#include "wizard/wizard.h"

namespace torvel {

// Exit statuses of the script runner.
inline constexpr int kScriptOk = 0;      // the script ran to its end or to a quit
inline constexpr int kScriptFailed = 1;  // an unexpected failure of the runner itself
inline constexpr int kScriptError = 2;   // a script error, or a wrong command line

// Replaces the escapes \n, \r, \t and \\ of a script argument. A backslash followed by any
// other character, or ending the text, gives nothing and says why in *error.
std::optional<QString> unescapeScriptText(const QString& raw, QString* error);

// A script line as the runner reads it: without its CR and the indentation before the command.
QString scriptLineText(const QString& line);

// The dump of a control: its values by kind, always ending in "visible" and "enabled".
JsonLine controlDump(const Control& control);

// Plays a script of user actions against a wizard with scripted prompts, writing every
// transcript line to `out` as it happens and script errors as "script:LINE: what" to `err`.
class ScriptRunner {
public:
    ScriptRunner(const ProgramFolders& folders, QTextStream& out, QTextStream& err);
    ScriptRunner(const QString& programDir, QTextStream& out, QTextStream& err)
        : ScriptRunner(givenProgramFolder(programDir), out, err) {}
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    Wizard& wizard() { return *wizard_; }
    ScriptedPrompts& prompts() { return prompts_; }

    // Plays the lines in order (line numbers count from 1) and returns the exit status.
    int run(const QStringList& lines);
    // Reads the lines one at a time as they arrive (a file or standard input) and plays them.
    int run(QTextStream& in);

    enum class Step { Next, Quit, Failed };
    // Plays one line; Quit once the program was ended, Failed after a script error.
    Step play(int lineNumber, const QString& line);

    // {"event":"dump","state":{...},"controls":{...}}: the window state, every control of the
    // main window and of each open dialog.
    QString dump();

private:
    // A control that a line names: as written ("frmFiles.cmdOK"), its name on its form, and the
    // argument after it.
    struct Target {
        QString qualified;
        QString name;
        FormModel* form = nullptr;
        const Control* control = nullptr;
        std::optional<QString> argument;
    };
    Target target(const QString& command, const std::optional<QString>& rest);
    // The value a command puts into a control: how the usage names it ("a text", "TEXT"), what
    // the control must hold and the complaint when it does not ("%1 is not a list").
    struct Value {
        QString words;
        QString placeholder;
        bool KindTraits::*holds;
        QString wrongKind;
    };
    Target valueTarget(const QString& command, const std::optional<QString>& rest, const Value& value);

    // One function a command word; each checks its own argument.
    void execute(const QString& line);
    void set(const QString& command, const std::optional<QString>& rest);
    void click(const QString& command, const std::optional<QString>& rest);
    void choose(const QString& command, const std::optional<QString>& rest);
    void dumpCommand(const QString& command, const std::optional<QString>& rest);
    void folder(const QString& command, const std::optional<QString>& rest);
    void drive(const QString& command, const std::optional<QString>& rest);
    void answer(const QString& command, const std::optional<QString>& rest);
    void file(const QString& command, const std::optional<QString>& rest);
    void save(const QString& command, const std::optional<QString>& rest);
    void color(const QString& command, const std::optional<QString>& rest);
    void font(const QString& command, const std::optional<QString>& rest);
    void print(const QString& line);

    QTextStream& out_;
    QTextStream& err_;
    ScriptedPrompts prompts_;
    std::unique_ptr<Wizard> wizard_;
};

}  // namespace torvel
