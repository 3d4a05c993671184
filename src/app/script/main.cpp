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

#include "base/error.h"
#include "files/programfolders.h"
#include "scriptrunner.h"
#include "version.h"

namespace {

// What the command line asks for: a script to play with these folders, or an exit code already
// decided (help, version, a mistake on the command line).
struct Request {
    torvel::ProgramFolders folders;
    QString script;
    std::optional<int> exitCode;
};

const QString kDescription = QStringLiteral(
    "Plays a script of wizard actions without a display and prints one JSON object per line.\n"
    "See docs/script.md (installed: /usr/share/doc/torvel/script.md) for the script format.");

Request parseArguments(QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(kDescription);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption programDirOption(
        QStringLiteral("program-dir"),
        QStringLiteral("The program folder holding Torvel.dat, AUTORUN.INF and Start.exe (default: the "
                       "folder of this program when it holds Torvel.dat, else the user's data folder)."),
        QStringLiteral("DIR"));
    parser.addOption(programDirOption);
    parser.addPositionalArgument(QStringLiteral("SCRIPT"),
                                 QStringLiteral("The script file, or - for standard input."));

    Request request;
    const bool parsed = parser.parse(QCoreApplication::arguments());
    request.folders =
        torvel::commandLineFolders(parser.value(programDirOption), QCoreApplication::applicationDirPath());
    parser.setApplicationDescription(kDescription + QStringLiteral("\n\n") +
                                     torvel::foldersHelpText(request.folders));
    if (!parsed) {
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
    if (const QString problem = torvel::prepareFolders(request.folders, QStringLiteral("torvel-script"));
        !problem.isEmpty()) {
        err << problem << '\n';
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
        torvel::ProgramFolders folders = request.folders;
        folders.data = QDir(folders.data).absolutePath();
        folders.files = QDir(folders.files).absolutePath();
        torvel::ScriptRunner runner(folders, out, err);
        return runner.run(in);
    } catch (const std::exception& e) {
        out.flush();
        err << "torvel-script: " << e.what() << '\n';
        return torvel::kScriptFailed;
    }
}
