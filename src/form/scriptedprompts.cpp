#include "form/scriptedprompts.h"

#include <QFileInfo>
#include <QJsonArray>

namespace torvel {

namespace {

QString iconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QStringLiteral("information");
        case MessageIcon::Question:
            return QStringLiteral("question");
        case MessageIcon::Critical:
            return QStringLiteral("critical");
        case MessageIcon::None:
            break;
    }
    return QStringLiteral("none");
}

template <typename Queue>
auto take(Queue& queue, const QString& what) {
    if (queue.empty()) {
        throw PromptUnanswered{what};
    }
    auto value = std::move(queue.front());
    queue.pop_front();
    return value;
}

}  // namespace

void ScriptedPrompts::record(const JsonLine& line) {
    const QString text = line.toString();
    transcript_ << text;
    if (onEvent) {
        onEvent(text);
    }
}

Answer ScriptedPrompts::message(MessageIcon icon, MessageButtons buttons, const QString& title,
                                const QString& text) {
    JsonLine line;
    line.add(QStringLiteral("event"), QStringLiteral("message"))
        .add(QStringLiteral("icon"), iconName(icon))
        .add(QStringLiteral("buttons"),
             buttons == MessageButtons::Ok ? QStringLiteral("ok") : QStringLiteral("yesno"));
    if (buttons == MessageButtons::Ok) {
        line.add(QStringLiteral("title"), title).add(QStringLiteral("text"), text);
        record(line);
        return Answer::Ok;
    }
    // What Enter answers.
    line.add(QStringLiteral("default"),
             buttons == MessageButtons::YesNoDefaultNo ? QStringLiteral("no") : QStringLiteral("yes"))
        .add(QStringLiteral("title"), title)
        .add(QStringLiteral("text"), text);
    const bool yes = take(answers_, QStringLiteral("the question \"%1\" has no queued answer").arg(text));
    line.add(QStringLiteral("answer"), yes ? QStringLiteral("yes") : QStringLiteral("no"));
    record(line);
    return yes ? Answer::Yes : Answer::No;
}

// A dialog's event line gets the answer taken from its queue (null when cancelled) and is recorded.
template <typename Queue, typename ToJson>
auto ScriptedPrompts::answerDialog(Queue& queue, const QString& unanswered, JsonLine line, ToJson toJson) {
    auto answer = take(queue, unanswered);
    answer ? line.add(QStringLiteral("answer"), toJson(*answer)) : line.addNull(QStringLiteral("answer"));
    record(line);
    return answer;
}

std::optional<QString> ScriptedPrompts::openFile(const OpenFileRequest& request) {
    return answerDialog(files_, QStringLiteral("the open-file dialog has no queued answer"),
                        JsonLine()
                            .add(QStringLiteral("event"), QStringLiteral("open-file"))
                            .add(QStringLiteral("title"), request.title)
                            .add(QStringLiteral("filter"), request.filter)
                            .add(QStringLiteral("defaultExt"), request.defaultExt)
                            .add(QStringLiteral("initialDir"), request.initialDir),
                        [](const QString& path) { return path; });
}

std::optional<int> ScriptedPrompts::chooseColor(int preset) {
    return answerDialog(colors_, QStringLiteral("the colour dialog has no queued answer"),
                        JsonLine()
                            .add(QStringLiteral("event"), QStringLiteral("color"))
                            .add(QStringLiteral("preset"), preset),
                        [](int color) { return color; });
}

std::optional<FontChoice> ScriptedPrompts::chooseFont(const FontChoice& preset) {
    return answerDialog(fonts_, QStringLiteral("the font dialog has no queued answer"),
                        JsonLine()
                            .add(QStringLiteral("event"), QStringLiteral("font"))
                            .add(QStringLiteral("family"), preset.family)
                            .add(QStringLiteral("size"), preset.size)
                            .add(QStringLiteral("bold"), preset.bold),
                        [](const FontChoice& font) { return fontText(font); });
}

std::optional<QString> ScriptedPrompts::saveFile(const SaveFileRequest& request) {
    return answerDialog(saveFiles_, QStringLiteral("the save-file dialog has no queued answer"),
                        JsonLine()
                            .add(QStringLiteral("event"), QStringLiteral("save-file"))
                            .add(QStringLiteral("filter"), request.filter)
                            .add(QStringLiteral("defaultExt"), request.defaultExt)
                            .add(QStringLiteral("initialPath"), request.initialPath),
                        [](const QString& path) { return path; });
}

void ScriptedPrompts::showTable(const TableRequest& table) {
    QJsonArray rows;
    for (const QStringList& row : table.rows) {
        rows.append(QJsonArray::fromStringList(row));
    }
    record(JsonLine()
               .add(QStringLiteral("event"), QStringLiteral("table"))
               .add(QStringLiteral("title"), table.title)
               .add(QStringLiteral("text"), table.text)
               .add(QStringLiteral("columns"), QJsonArray::fromStringList(table.columns))
               .add(QStringLiteral("rows"), rows));
}

bool ScriptedPrompts::progress(const QString& title, qint64 done, qint64 total) {
    const bool goOn = !progressAnswer || progressAnswer(done, total);
    JsonLine line;
    line.add(QStringLiteral("event"), QStringLiteral("progress"))
        .add(QStringLiteral("title"), title)
        .add(QStringLiteral("done"), done)
        .add(QStringLiteral("total"), total);
    if (!goOn) {
        line.add(QStringLiteral("cancelled"), true);
    }
    record(line);
    return goOn;
}

void ScriptedPrompts::progressEnd() {
    record(JsonLine().add(QStringLiteral("event"), QStringLiteral("progress-end")));
}

void ScriptedPrompts::setBusy(bool busy) {
    record(JsonLine().add(QStringLiteral("event"), QStringLiteral("busy")).add(QStringLiteral("on"), busy));
}

void ScriptedPrompts::showForm(const QString& form) {
    record(JsonLine().add(QStringLiteral("event"), QStringLiteral("show")).add(QStringLiteral("form"), form));
}

void ScriptedPrompts::closeForm(const QString& form) {
    record(
        JsonLine().add(QStringLiteral("event"), QStringLiteral("close")).add(QStringLiteral("form"), form));
}

void ScriptedPrompts::openUrl(const QString& url) {
    record(
        JsonLine().add(QStringLiteral("event"), QStringLiteral("open-url")).add(QStringLiteral("url"), url));
}

bool ScriptedPrompts::startProgram(const QString& path) {
    record(JsonLine()
               .add(QStringLiteral("event"), QStringLiteral("start-program"))
               .add(QStringLiteral("path"), path));
    return programStarter ? programStarter(path) : QFileInfo(path).isFile();
}

void ScriptedPrompts::quit() {
    quit_ = true;
    record(JsonLine().add(QStringLiteral("event"), QStringLiteral("quit")));
}

QString ScriptedPrompts::fontText(const FontChoice& font) {
    return QStringLiteral("%1;%2;%3")
        .arg(font.family, QString::number(font.size),
             font.bold ? QStringLiteral("bold") : QStringLiteral("normal"));
}

std::optional<FontChoice> ScriptedPrompts::parseFont(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(';'));
    if (parts.size() != 3) {
        return std::nullopt;
    }
    bool ok = false;
    const double size = parts[1].toDouble(&ok);
    if (!ok || (parts[2] != QStringLiteral("bold") && parts[2] != QStringLiteral("normal"))) {
        return std::nullopt;
    }
    return FontChoice{parts[0], size, parts[2] == QStringLiteral("bold")};
}

}  // namespace torvel
