#include "scriptrunner.h"

#include <QJsonArray>
#include <map>

#include "base/error.h"
#include "form/controlkinds.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"

namespace torvel {

namespace {

// A fault in the script itself: reported as "script:LINE: what" and the script stops.
struct ScriptError {
    QString what;
};

const QString kDialogForms[] = {ctl::frmFiles, ctl::frmAbout};

QString quoted(const QString& text) {
    return QStringLiteral("\"%1\"").arg(text);
}

// The text after the first blank of `text`, or nothing when it has no blank.
std::optional<QString> afterBlank(const QString& text, QString* head) {
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0) {
        *head = text;
        return std::nullopt;
    }
    *head = text.left(blank);
    return text.mid(blank + 1);
}

QString unescaped(const QString& raw) {
    QString error;
    std::optional<QString> text = unescapeScriptText(raw, &error);
    if (!text) {
        throw ScriptError{error};
    }
    return *text;
}

// The argument of a command without a control name: the rest of the line, unescaped.
QString argumentOf(const QString& command, const std::optional<QString>& rest, const QString& shape) {
    if (!rest || rest->isEmpty()) {
        throw ScriptError{QStringLiteral("%1 needs an argument: %1 %2").arg(command, shape)};
    }
    return unescaped(*rest);
}

// "0x..." or decimal; a colour number is 0x00BBGGRR.
int colorNumber(const QString& text) {
    bool ok = false;
    const qlonglong value = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)
                                ? text.mid(2).toLongLong(&ok, 16)
                                : text.toLongLong(&ok, 10);
    if (!ok || value < 0 || value > 0xFFFFFF) {
        throw ScriptError{
            QStringLiteral("%1 is not a colour number (0 to 16777215, or cancel)").arg(quoted(text))};
    }
    return static_cast<int>(value);
}

}  // namespace

std::optional<QString> unescapeScriptText(const QString& raw, QString* error) {
    QString text;
    text.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\\')) {
            text += c;
            continue;
        }
        if (i + 1 == raw.size()) {
            *error = QStringLiteral("the line ends in a lone backslash (write \\\\ for a backslash)");
            return std::nullopt;
        }
        const QChar next = raw.at(++i);
        if (next == QLatin1Char('n')) {
            text += QLatin1Char('\n');
        } else if (next == QLatin1Char('r')) {
            text += QLatin1Char('\r');
        } else if (next == QLatin1Char('t')) {
            text += QLatin1Char('\t');
        } else if (next == QLatin1Char('\\')) {
            text += QLatin1Char('\\');
        } else {
            *error = QStringLiteral("unknown escape \\%1 (only \\n, \\r, \\t and \\\\ are known)").arg(next);
            return std::nullopt;
        }
    }
    return text;
}

JsonLine controlDump(const Control& control) {
    const KindTraits& holds = kindTraits(control.kind);
    JsonLine dump;
    if (holds.caption) {
        dump.add(QStringLiteral("caption"), control.caption);
    }
    if (holds.text) {
        dump.add(QStringLiteral("text"), control.text);
    }
    if (holds.items) {
        dump.add(QStringLiteral("items"), QJsonValue(QJsonArray::fromStringList(control.items)));
    }
    if (holds.selection) {
        dump.add(QStringLiteral("selected"), control.selected);
    }
    if (holds.color) {
        dump.add(QStringLiteral("color"), control.color);
    }
    dump.add(QStringLiteral("visible"), control.visible);
    dump.add(QStringLiteral("enabled"), control.enabled);
    return dump;
}

ScriptRunner::ScriptRunner(const ProgramFolders& folders, QTextStream& out, QTextStream& err)
    : out_(out), err_(err) {
    prompts_.onEvent = [this](const QString& line) { print(line); };
    wizard_ = buildWizard(prompts_, folders);
}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::print(const QString& line) {
    out_ << line << '\n';
    out_.flush();
}

int ScriptRunner::run(const QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Step step = play(static_cast<int>(i + 1), lines.at(i));
        if (step == Step::Failed) {
            return kScriptError;
        }
        if (step == Step::Quit) {
            break;
        }
    }
    return kScriptOk;
}

int ScriptRunner::run(QTextStream& in) {
    QString line;
    for (int number = 1; in.readLineInto(&line); ++number) {
        const Step step = play(number, line);
        if (step == Step::Failed) {
            return kScriptError;
        }
        if (step == Step::Quit) {
            break;
        }
    }
    return kScriptOk;
}

QString scriptLineText(const QString& text) {
    QString line = text;
    if (line.endsWith(QLatin1Char('\r'))) {
        line.chop(1);
    }
    // Indentation before the command word is allowed; everything after it counts.
    qsizetype start = 0;
    while (start < line.size() && line.at(start).isSpace()) {
        ++start;
    }
    return line.mid(start);
}

ScriptRunner::Step ScriptRunner::play(int lineNumber, const QString& text) {
    const QString line = scriptLineText(text);
    if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) {
        return Step::Next;
    }

    QString failure;
    try {
        execute(line);
        return prompts_.quitRequested() ? Step::Quit : Step::Next;
    } catch (const ScriptError& e) {
        failure = e.what;
    } catch (const PromptUnanswered& e) {
        failure = e.what;
    } catch (const TorvelError& e) {
        failure = e.message();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    out_.flush();
    // One line per error: a line break in what the message quotes is shown as its script escape.
    failure.replace(QLatin1Char('\r'), QStringLiteral("\\r"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    err_ << QStringLiteral("script:%1: %2").arg(lineNumber).arg(failure) << '\n';
    err_.flush();
    return Step::Failed;
}

// The control a set, click or choose line names, and the argument after its name.
ScriptRunner::Target ScriptRunner::target(const QString& command, const std::optional<QString>& rest) {
    if (!rest || rest->isEmpty()) {
        throw ScriptError{QStringLiteral("%1 needs a control name").arg(command)};
    }
    Target t;
    t.argument = afterBlank(*rest, &t.qualified);
    FormModel* form = nullptr;
    try {
        form = &wizard_->formOf(t.qualified, &t.name);
    } catch (const TorvelError&) {
        form = nullptr;
    }
    t.control = form != nullptr ? form->find(t.name) : nullptr;
    if (t.control == nullptr) {
        throw ScriptError{QStringLiteral("unknown control %1").arg(quoted(t.qualified))};
    }
    if (form != &wizard_->form() && !wizard_->isDialogOpen(form->name())) {
        throw ScriptError{
            QStringLiteral("%1 is on %2, which is not open").arg(quoted(t.qualified), form->name())};
    }
    t.form = form;
    return t;
}

void ScriptRunner::click(const QString& command, const std::optional<QString>& rest) {
    const Target t = target(command, rest);
    if (t.argument) {
        throw ScriptError{QStringLiteral("click takes only a control name, not %1").arg(quoted(*t.argument))};
    }
    if (!t.control->enabled) {
        throw ScriptError{QStringLiteral("%1 is not enabled").arg(quoted(t.qualified))};
    }
    wizard_->click(t.qualified);
}

// The control a command changes, with the value after its name: "set" needs a control the
// author types into, "choose" a list.
ScriptRunner::Target ScriptRunner::valueTarget(const QString& command, const std::optional<QString>& rest,
                                               const Value& value) {
    const Target t = target(command, rest);
    if (!t.argument) {
        throw ScriptError{QStringLiteral("%1 needs %2 after the control name (%1 %3 %4)")
                              .arg(command, value.words, t.qualified, value.placeholder)};
    }
    if (!(kindTraits(t.control->kind).*value.holds)) {
        throw ScriptError{value.wrongKind.arg(quoted(t.qualified))};
    }
    return t;
}

void ScriptRunner::set(const QString& command, const std::optional<QString>& rest) {
    const Target t = valueTarget(command, rest,
                                 {QStringLiteral("a text"), QStringLiteral("TEXT"), &KindTraits::typed,
                                  QStringLiteral("%1 has no text to set")});
    t.form->setText(t.name, unescaped(*t.argument));
}

void ScriptRunner::choose(const QString& command, const std::optional<QString>& rest) {
    const Target t = valueTarget(command, rest,
                                 {QStringLiteral("an item"), QStringLiteral("ITEM"), &KindTraits::selection,
                                  QStringLiteral("%1 is not a list")});
    const QString item = unescaped(*t.argument);
    const qsizetype index = t.control->items.indexOf(item);
    if (index < 0) {
        throw ScriptError{QStringLiteral("%1 has no item %2").arg(quoted(t.qualified), quoted(item))};
    }
    wizard_->choose(t.qualified, static_cast<int>(index));
}

void ScriptRunner::dumpCommand(const QString&, const std::optional<QString>& rest) {
    if (rest) {
        throw ScriptError{QStringLiteral("dump takes no argument")};
    }
    print(dump());
}

void ScriptRunner::folder(const QString& command, const std::optional<QString>& rest) {
    wizard_->openFolder(argumentOf(command, rest, QStringLiteral("PATH")));
}

void ScriptRunner::drive(const QString& command, const std::optional<QString>& rest) {
    wizard_->pickDrive(argumentOf(command, rest, QStringLiteral("NAME")));
}

void ScriptRunner::answer(const QString& command, const std::optional<QString>& rest) {
    const QString answer = argumentOf(command, rest, QStringLiteral("yes|no"));
    if (answer != QStringLiteral("yes") && answer != QStringLiteral("no")) {
        throw ScriptError{QStringLiteral("answer must be yes or no, not %1").arg(quoted(answer))};
    }
    prompts_.queueAnswer(answer == QStringLiteral("yes"));
}

void ScriptRunner::file(const QString& command, const std::optional<QString>& rest) {
    const QString path = argumentOf(command, rest, QStringLiteral("PATH|cancel"));
    prompts_.queueFile(path == QStringLiteral("cancel") ? std::nullopt : std::optional<QString>(path));
}

void ScriptRunner::save(const QString& command, const std::optional<QString>& rest) {
    const QString path = argumentOf(command, rest, QStringLiteral("PATH|cancel"));
    prompts_.queueSaveFile(path == QStringLiteral("cancel") ? std::nullopt : std::optional<QString>(path));
}

void ScriptRunner::color(const QString& command, const std::optional<QString>& rest) {
    const QString number = argumentOf(command, rest, QStringLiteral("NUMBER|cancel"));
    prompts_.queueColor(number == QStringLiteral("cancel") ? std::nullopt
                                                           : std::optional<int>(colorNumber(number)));
}

void ScriptRunner::font(const QString& command, const std::optional<QString>& rest) {
    const QString font = argumentOf(command, rest, QStringLiteral("FAMILY;SIZE;bold|normal"));
    if (font == QStringLiteral("cancel")) {
        prompts_.queueFont(std::nullopt);
        return;
    }
    const std::optional<FontChoice> choice = ScriptedPrompts::parseFont(font);
    if (!choice || choice->family.trimmed().isEmpty() || !(choice->size > 0)) {
        throw ScriptError{
            QStringLiteral("%1 is not a font (FAMILY;SIZE;bold or FAMILY;SIZE;normal, or cancel)")
                .arg(quoted(font))};
    }
    prompts_.queueFont(choice);
}

void ScriptRunner::execute(const QString& line) {
    using Command = void (ScriptRunner::*)(const QString&, const std::optional<QString>&);
    static const std::map<QString, Command> commands = {
        {QStringLiteral("set"), &ScriptRunner::set},
        {QStringLiteral("click"), &ScriptRunner::click},
        {QStringLiteral("choose"), &ScriptRunner::choose},
        {QStringLiteral("dump"), &ScriptRunner::dumpCommand},
        {QStringLiteral("folder"), &ScriptRunner::folder},
        {QStringLiteral("drive"), &ScriptRunner::drive},
        {QStringLiteral("answer"), &ScriptRunner::answer},
        {QStringLiteral("file"), &ScriptRunner::file},
        {QStringLiteral("save"), &ScriptRunner::save},
        {QStringLiteral("color"), &ScriptRunner::color},
        {QStringLiteral("font"), &ScriptRunner::font},
    };
    QString command;
    const std::optional<QString> rest = afterBlank(line, &command);
    const auto it = commands.find(command);
    if (it == commands.end()) {
        throw ScriptError{QStringLiteral("unknown command %1").arg(quoted(command))};
    }
    (this->*(it->second))(command, rest);
}

QString ScriptRunner::dump() {
    const WizardState& state = wizard_->state();
    JsonLine stateDump;
    stateDump.add(QStringLiteral("curStep"), state.curStep)
        .add(QStringLiteral("curMenuID"), state.curMenuID)
        .add(QStringLiteral("menuLoaded"), state.menuLoaded)
        .add(QStringLiteral("cdRoot"), state.cdRoot)
        .add(QStringLiteral("curStyleID"), state.curStyleID)
        .add(QStringLiteral("styleRS"), state.styleRS != nullptr)
        .add(QStringLiteral("curFileName"), state.curFileName);

    JsonLine controls;
    for (const Control& control : wizard_->form().controls()) {
        controls.add(control.name, controlDump(control));
    }
    for (const QString& form : kDialogForms) {
        if (!wizard_->isDialogOpen(form)) {
            continue;
        }
        for (const Control& control : wizard_->dialog(form).controls()) {
            controls.add(form + QLatin1Char('.') + control.name, controlDump(control));
        }
    }
    return JsonLine()
        .add(QStringLiteral("event"), QStringLiteral("dump"))
        .add(QStringLiteral("state"), stateDump)
        .add(QStringLiteral("controls"), controls)
        .toString();
}

}  // namespace torvel
