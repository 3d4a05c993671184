// The script runner fed any text: every line is played or refused with a script error, never a
// crash; the transcript stays one JSON object per line, and an argument's escapes read back.
//
// The runner works on a copy of the program folder made for each input, with the CD root opened
// in a folder of its own by a first line the target writes. Lines that would open other folders
// or drives, or answer an open-file dialog with a path into another folder, are left out: the
// actions behind them (Finish, copying images) would write into or read from the folders named.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>

#include "data/schemafile.h"
#include "properties.h"
#include "scriptrunner.h"

namespace torvel::fuzz {

namespace {

// A fresh Torvel.dat for the whole process, copied for each input.
struct ScriptSandbox {
    QString folder;
    QString database;

    ScriptSandbox() {
        folder = QDir(processFolder()).filePath(QStringLiteral("script"));
        QDir().mkpath(folder);
        database = QDir(folder).filePath(QStringLiteral("Torvel.dat"));
        createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), database);
    }
};

ScriptSandbox& sandbox() {
    static ScriptSandbox* box = new ScriptSandbox;
    return *box;
}

// The script form of a text: the escapes unescapeScriptText reads.
QString escapeScriptText(const QString& text) {
    QString escaped;
    for (const QChar ch : text) {
        switch (ch.unicode()) {
            case u'\\':
                escaped += QStringLiteral("\\\\");
                break;
            case u'\n':
                escaped += QStringLiteral("\\n");
                break;
            case u'\r':
                escaped += QStringLiteral("\\r");
                break;
            case u'\t':
                escaped += QStringLiteral("\\t");
                break;
            default:
                escaped += ch;
        }
    }
    return escaped;
}

void checkEscapes(const QString& raw) {
    QString error;
    const std::optional<QString> text = unescapeScriptText(raw, &error);
    if (!raw.contains(QLatin1Char('\\'))) {
        check(text == raw, "an argument without a backslash is taken as it is", shown(raw));
    }
    check(text.has_value() || !error.isEmpty(), "a refused argument says why", shown(raw));
    check(unescapeScriptText(escapeScriptText(raw), &error) == raw, "an escaped argument reads back",
          shown(raw));
}

// The command word of a line as the runner reads it.
QString commandOf(const QString& text, QString* argument) {
    const QString line = scriptLineText(text);
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    *argument = blank < 0 ? QString() : line.mid(blank + 1);
    return blank < 0 ? line : line.left(blank);
}

bool staysInSandbox(const QString& line) {
    QString argument;
    const QString command = commandOf(line, &argument);
    if (command == QStringLiteral("folder") || command == QStringLiteral("drive")) {
        return false;
    }
    return command != QStringLiteral("file") || !argument.contains(QLatin1Char('/'));
}

}  // namespace

void scriptLines(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QTextStream in(&buffer);

    QTemporaryDir run(QDir(sandbox().folder).filePath(QStringLiteral("run-XXXXXX")));
    require(run.isValid(), "a temporary folder can be made", run.errorString());
    const QDir runDir(run.path());
    runDir.mkpath(QStringLiteral("program"));
    runDir.mkpath(QStringLiteral("cd"));
    const QString programDir = runDir.filePath(QStringLiteral("program"));
    require(QFile::copy(sandbox().database, QDir(programDir).filePath(QStringLiteral("Torvel.dat"))),
            "the database can be copied");

    QStringList lines{QStringLiteral("folder ") + escapeScriptText(runDir.filePath(QStringLiteral("cd")))};
    QString line;
    while (in.readLineInto(&line)) {
        checkEscapes(line);
        if (staysInSandbox(line)) {
            lines << line;
        }
    }

    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    int status = kScriptFailed;
    {
        ScriptRunner runner(programDir, out, err);
        status = runner.run(lines);
    }
    out.flush();
    err.flush();

    check(status == kScriptOk || status == kScriptError, "a script ends well or with a script error",
          QString::number(status));
    if (status == kScriptError) {
        // Read by hand: QRegularExpression matches nothing in a text with a lone surrogate.
        qsizetype digits = 0;
        const QString prefix = QStringLiteral("script:");
        while (prefix.size() + digits < errText.size() && errText[prefix.size() + digits].isDigit()) {
            ++digits;
        }
        check(errText.startsWith(prefix) && digits > 0 &&
                  errText.mid(prefix.size() + digits, 2) == QStringLiteral(": ") &&
                  errText.endsWith(QLatin1Char('\n')) && errText.count(QLatin1Char('\n')) == 1,
              "a script error is reported on one line as script:LINE: what", shown(errText));
    } else {
        check(errText.isEmpty(), "a script that ends well reports no error", shown(errText));
    }
    for (const QString& transcriptLine : outText.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QJsonParseError parseError;
        const QJsonDocument event = QJsonDocument::fromJson(transcriptLine.toUtf8(), &parseError);
        check(event.isObject() && event.object().value(QStringLiteral("event")).isString(),
              "every transcript line is a JSON object naming its event", shown(transcriptLine));
    }
}

}  // namespace torvel::fuzz
