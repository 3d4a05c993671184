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

// The folders in use: the one given with --program-dir, else those of this program (its own folder
// when it holds Torvel.dat, else the user's data folder of an installed program).
torvel::ProgramFolders foldersInUse(const QCommandLineParser& parser, const QCommandLineOption& programDir) {
    if (parser.isSet(programDir)) {
        return torvel::givenProgramFolder(parser.value(programDir));
    }
    return torvel::locateProgramFolders(QCoreApplication::applicationDirPath(), torvel::userDataFolder());
}

QString foldersText(const torvel::ProgramFolders& folders) {
    return torvel::dataFolderText(folders) +
           QStringLiteral(" (Torvel.dat and Styles)\nFiles Finish copies: ") +
           QDir::toNativeSeparators(folders.files) + QStringLiteral(" (AUTORUN.INF and Start.exe)");
}

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
    request.folders = foldersInUse(parser, programDirOption);
    parser.setApplicationDescription(kDescription + QStringLiteral("\n\n") + foldersText(request.folders));
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

// The data folder made ready: a given one must exist; an installed program's is seeded on its
// first run. False after saying what failed.
bool prepareFolders(const torvel::ProgramFolders& folders, QTextStream& err) {
    if (folders.kind == torvel::ProgramFolders::Kind::Given && !QFileInfo(folders.data).isDir()) {
        err << "torvel-script: the program folder " << QDir::toNativeSeparators(folders.data)
            << " does not exist\n";
        return false;
    }
    try {
        torvel::seedUserData(folders);
    } catch (const torvel::TorvelError& e) {
        err << "torvel-script: " << e.message() << '\n';
        return false;
    }
    return true;
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
    if (!prepareFolders(request.folders, err)) {
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
