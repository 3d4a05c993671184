// The script runner fed any text: every line is played or refused with a script error, never a
// crash; the transcript stays one JSON object per line, and an argument's escapes read back.
//
// The input is the script's text, played on a copy of a fresh Torvel.dat with the CD root opened in
// a folder of its own. Lines that would open other folders or drives, or answer an open-file dialog
// with a path into another folder, are left out: Finish and copying images would write or read there.
// A save-file answer other than cancel names an image file in the run's own folder.
#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>

#include "properties.h"
#include "scriptrunner.h"

namespace torvel::fuzz {

namespace {

// The escapes unescapeScriptText reads.
QString escaped(QString text) {
    return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
        .replace(QLatin1Char('\r'), QStringLiteral("\\r"))
        .replace(QLatin1Char('\t'), QStringLiteral("\\t"));
}

}  // namespace

void scriptLines(const uint8_t* data, size_t size) {
    static const QString database = freshDatabase(QStringLiteral("script"));
    QTemporaryDir run(QFileInfo(database).path() + QStringLiteral("/run-XXXXXX"));
    const QDir runDir(run.path());
    const QString programDir = runDir.filePath(QStringLiteral("program"));
    require(run.isValid() && runDir.mkpath(QStringLiteral("program")) &&
                runDir.mkpath(QStringLiteral("cd")) &&
                QFile::copy(database, QDir(programDir).filePath(QStringLiteral("Torvel.dat"))),
            "a program folder can be made", run.errorString());

    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QTextStream in(&buffer);
    QStringList lines{QStringLiteral("folder ") + escaped(runDir.filePath(QStringLiteral("cd")))};
    QString line;
    while (in.readLineInto(&line)) {
        QString error;
        const std::optional<QString> argument = unescapeScriptText(line, &error);
        check(argument.has_value() || !error.isEmpty(), "a refused argument says why", shown(line));
        check(unescapeScriptText(escaped(line), &error) == line, "an escaped argument reads back",
              shown(line));
        const QString text = scriptLineText(line);
        const QString command = text.section(QLatin1Char(' '), 0, 0);
        const QString rest = text.section(QLatin1Char(' '), 1);
        if (command == QStringLiteral("save") && !rest.isEmpty() && rest != QStringLiteral("cancel")) {
            lines << QStringLiteral("save ") + escaped(runDir.filePath(QStringLiteral("image.iso")));
        } else if (command != QStringLiteral("folder") && command != QStringLiteral("drive") &&
                   (command != QStringLiteral("file") || !rest.contains(QLatin1Char('/')))) {
            lines << line;
        }
    }

    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    const int status = ScriptRunner(programDir, out, err).run(lines);
    out.flush();
    err.flush();

    check(status == kScriptOk || status == kScriptError, "a script ends well or with a script error",
          QString::number(status));
    // Matched as UTF-8: QRegularExpression matches nothing in a text with a lone surrogate.
    const QRegularExpression oneError(QStringLiteral("^script:[0-9]+: [^\\n]*\\n\\z"));
    check(status == kScriptError ? oneError.match(QString::fromUtf8(errText.toUtf8())).hasMatch()
                                 : errText.isEmpty(),
          "a script error is reported on one line as script:LINE: what, and only then", shown(errText));
    for (const QString& transcriptLine : outText.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QJsonDocument event = QJsonDocument::fromJson(transcriptLine.toUtf8());
        check(event.isObject() && event.object().value(QStringLiteral("event")).isString(),
              "every transcript line is a JSON object naming its event", shown(transcriptLine));
    }
}

}  // namespace torvel::fuzz
