// torvel-script [--program-dir DIR] SCRIPT: plays a script of user actions against the wizard
// without a display and prints one JSON object per line on standard output.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

#include "scriptrunner.h"
#include "version.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("torvel-script"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(torvel::version::text));

    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays a script of wizard actions without a display and prints one JSON object per line.\n"
        "See docs/script.md for the script format."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption programDirOption(
        QStringLiteral("program-dir"),
        QStringLiteral("The program folder holding Torvel.dat (default: the folder of this program)."),
        QStringLiteral("DIR"));
    parser.addOption(programDirOption);
    parser.addPositionalArgument(QStringLiteral("SCRIPT"),
                                 QStringLiteral("The script file, or - for standard input."));

    if (!parser.parse(QCoreApplication::arguments())) {
        err << "torvel-script: " << parser.errorText() << '\n' << parser.helpText();
        return torvel::kScriptError;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return torvel::kScriptOk;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out << "torvel-script " << torvel::version::text << '\n';
        return torvel::kScriptOk;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        err << "torvel-script: give exactly one script file, or - for standard input\n" << parser.helpText();
        return torvel::kScriptError;
    }

    const QString programDir = parser.isSet(programDirOption) ? parser.value(programDirOption)
                                                              : QCoreApplication::applicationDirPath();
    if (!QFileInfo(programDir).isDir()) {
        err << "torvel-script: the program folder " << QDir::toNativeSeparators(programDir)
            << " does not exist\n";
        return torvel::kScriptError;
    }

    QFile script;
    const QString scriptName = positional.first();
    bool opened = false;
    if (scriptName == QStringLiteral("-")) {
        opened = script.open(stdin, QIODevice::ReadOnly);
    } else {
        script.setFileName(scriptName);
        opened = script.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        err << "torvel-script: cannot read the script " << QDir::toNativeSeparators(scriptName) << ": "
            << script.errorString() << '\n';
        return torvel::kScriptError;
    }

    try {
        QTextStream in(&script);
        torvel::ScriptRunner runner(QDir(programDir).absolutePath(), out, err);
        return runner.run(in);
    } catch (const std::exception& e) {
        out.flush();
        err << "torvel-script: " << e.what() << '\n';
        return torvel::kScriptFailed;
    }
}
