// torvel-script [--program-dir DIR] SCRIPT: plays a script of user actions against the wizard
// without a display and prints one JSON object per line on standard output.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <optional>

#include "scriptrunner.h"
#include "version.h"

namespace {

// What the command line asks for: a script to play in a program folder, or an exit code already
// decided (help, version, a mistake on the command line).
struct Request {
    QString programDir;
    QString script;
    std::optional<int> exitCode;
};

Request parseArguments(QTextStream& out, QTextStream& err) {
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

    Request request;
    if (!parser.parse(QCoreApplication::arguments())) {
        err << "torvel-script: " << parser.errorText() << '\n' << parser.helpText();
        request.exitCode = torvel::kScriptError;
    } else if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        request.exitCode = torvel::kScriptOk;
    } else if (parser.isSet(QStringLiteral("version"))) {
        out << "torvel-script " << torvel::version::text << '\n';
        request.exitCode = torvel::kScriptOk;
    } else if (parser.positionalArguments().size() != 1) {
        err << "torvel-script: give exactly one script file, or - for standard input\n" << parser.helpText();
        request.exitCode = torvel::kScriptError;
    } else {
        request.script = parser.positionalArguments().first();
        request.programDir = parser.isSet(programDirOption) ? parser.value(programDirOption)
                                                            : QCoreApplication::applicationDirPath();
    }
    return request;
}

// Opens the script file, or standard input for "-".
bool openScript(QFile& script, const QString& name) {
    if (name == QStringLiteral("-")) {
        return script.open(stdin, QIODevice::ReadOnly);
    }
    script.setFileName(name);
    return script.open(QIODevice::ReadOnly);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("torvel-script"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(torvel::version::text));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const Request request = parseArguments(out, err);
    if (request.exitCode) {
        return *request.exitCode;
    }
    if (!QFileInfo(request.programDir).isDir()) {
        err << "torvel-script: the program folder " << QDir::toNativeSeparators(request.programDir)
            << " does not exist\n";
        return torvel::kScriptError;
    }
    QFile script;
    if (!openScript(script, request.script)) {
        err << "torvel-script: cannot read the script " << QDir::toNativeSeparators(request.script) << ": "
            << script.errorString() << '\n';
        return torvel::kScriptError;
    }

    try {
        QTextStream in(&script);
        torvel::ScriptRunner runner(QDir(request.programDir).absolutePath(), out, err);
        return runner.run(in);
    } catch (const std::exception& e) {
        out.flush();
        err << "torvel-script: " << e.what() << '\n';
        return torvel::kScriptFailed;
    }
}
