#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace torvel {

enum class MessageIcon { None, Information, Question, Critical };
// A question's buttons are Yes and No; Enter (the default button) answers Yes, except for a
// question about deleting something, where it answers No.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class Answer { Ok, Yes, No };

// Settings of the shared open-file dialog. The filter is the pairs "display|patterns|..."; a
// display name without a pattern part offers every file. The title says what is chosen.
struct OpenFileRequest {
    QString title;
    QString filter;
    QString defaultExt;
    QString initialDir;
};

// Settings of the save-file dialog: the filter as for opening, and the file the dialog starts
// with (its folder and its name).
struct SaveFileRequest {
    QString filter;
    QString defaultExt;
    QString initialPath;
};

// A table shown in a dialog of its own: its title, a line of text above the table, the column
// headings and the rows of texts.
struct TableRequest {
    QString title;
    QString text;
    QStringList columns;
    QList<QStringList> rows;
};

struct FontChoice {
    QString family;
    double size = 10;
    bool bold = false;
};

// The port through which the core asks the screen for message boxes, dialogs, the busy pointer,
// progress, tables, dialog forms, web addresses and programs. The Qt window implements it with real dialogs;
// the script runner and the tests with scripted answers.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual Answer message(MessageIcon icon, MessageButtons buttons, const QString& title,
                           const QString& text) = 0;
    // The chosen file's full path, or nothing when cancelled.
    virtual std::optional<QString> openFile(const OpenFileRequest& request) = 0;
    // The chosen colour number (0x00BBGGRR), or nothing when cancelled.
    virtual std::optional<int> chooseColor(int preset) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& preset) = 0;
    // The file to write, or nothing when cancelled.
    virtual std::optional<QString> saveFile(const SaveFileRequest& request) = 0;
    virtual void showTable(const TableRequest& table) = 0;
    // A long task's progress, `done` of `total` units, in a dialog that stays up until
    // progressEnd(); false once the author has cancelled the task.
    virtual bool progress(const QString& title, qint64 done, qint64 total) = 0;
    virtual void progressEnd() = 0;
    virtual void setBusy(bool busy) = 0;
    virtual void showForm(const QString& form) = 0;
    virtual void closeForm(const QString& form) = 0;
    virtual void openUrl(const QString& url) = 0;
    // Starts a program in a normal window; false when it could not be started.
    virtual bool startProgram(const QString& path) = 0;
    // Ends the program at once.
    virtual void quit() = 0;
};

// Declares every function of the port in a class that implements all of it, so that the
// implementations follow the port when it changes.
#define TORVEL_PROMPTS_IMPLEMENTATION                                                                   \
    Answer message(MessageIcon icon, MessageButtons buttons, const QString& title, const QString& text) \
        override;                                                                                       \
    std::optional<QString> openFile(const OpenFileRequest& request) override;                           \
    std::optional<int> chooseColor(int preset) override;                                                \
    std::optional<FontChoice> chooseFont(const FontChoice& preset) override;                            \
    std::optional<QString> saveFile(const SaveFileRequest& request) override;                           \
    void showTable(const TableRequest& table) override;                                                 \
    bool progress(const QString& title, qint64 done, qint64 total) override;                            \
    void progressEnd() override;                                                                        \
    void setBusy(bool busy) override;                                                                   \
    void showForm(const QString& form) override;                                                        \
    void closeForm(const QString& form) override;                                                       \
    void openUrl(const QString& url) override;                                                          \
    bool startProgram(const QString& path) override;                                                    \
    void quit() override;

// The title of every message box of the wizard: a single blank.
inline const QString kMessageTitle = QStringLiteral(" ");

// A notice or refusal: information icon, OK, title " ".
void inform(Prompts& prompts, const QString& text);
// A confirmation: question icon, Yes and No, title " ". True on Yes.
bool confirm(Prompts& prompts, const QString& text);
// The same for deleting something, where No is the default answer.
bool confirmDeletion(Prompts& prompts, const QString& text);

}  // namespace torvel
