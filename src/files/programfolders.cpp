#include "files/programfolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/safefile.h"

namespace torvel {

namespace {

const QString kDatabase = QStringLiteral("Torvel.dat");
const QString kStyles = QStringLiteral("Styles");

// Anything at the name counts, a broken link or an unreadable file too: such a folder stays the
// program folder and its own database reports what is wrong with it.
bool holdsDatabase(const QString& folder) {
    const QFileInfo database(QDir(folder).filePath(kDatabase));
    return database.exists() || database.isSymLink();
}

// Every folder level from `root` down to `folder` (which lies below it), created when missing.
void ensureFoldersBelow(const QString& root, const QString& folder) {
    QString path = root;
    for (const QString& level :
         QDir(root).relativeFilePath(folder).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = QDir(path).filePath(level);
        ensureRealFolder(path);
    }
}

// The installed style files that the user's Styles folder lacks.
void seedStyles(const QString& from, const QString& to) {
    const QString installed = QDir(from).filePath(kStyles);
    QDirIterator files(installed, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target =
            QDir(to).filePath(kStyles + QLatin1Char('/') + QDir(installed).relativeFilePath(source));
        if (QFileInfo(target).exists() || QFileInfo(target).isSymLink()) {
            continue;
        }
        ensureFoldersBelow(to, QFileInfo(target).path());
        copyFileSafely(source, target);
    }
}

}  // namespace

ProgramFolders givenProgramFolder(const QString& folder) {
    return {ProgramFolders::Kind::Given, folder, folder};
}

ProgramFolders locateProgramFolders(const QString& programDir, const QString& userDataDir) {
    const QString installed = QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../share/torvel")));
    if (holdsDatabase(programDir) || !QFileInfo(installed).isDir()) {
        return {ProgramFolders::Kind::Portable, programDir, programDir};
    }
    return {ProgramFolders::Kind::Installed, userDataDir, installed};
}

QString userDataFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QString::fromLatin1(kUserDataFolderName));
}

bool seedUserData(const ProgramFolders& folders) {
    if (folders.kind != ProgramFolders::Kind::Installed || holdsDatabase(folders.data)) {
        return false;
    }
    const QString parent = QFileInfo(folders.data).absolutePath();
    if (!QDir().mkpath(parent)) {
        throw WriteError::folder(parent, QStringLiteral("the folder could not be made"));
    }
    ensureRealFolder(folders.data);
    seedStyles(folders.files, folders.data);
    copyFileSafely(QDir(folders.files).filePath(kDatabase), QDir(folders.data).filePath(kDatabase));
    return true;
}

QString dataFolderText(const ProgramFolders& folders) {
    return QStringLiteral("Data folder: ") + QDir::toNativeSeparators(folders.data);
}

ProgramFolders commandLineFolders(const QString& given, const QString& programDir) {
    return given.isEmpty() ? locateProgramFolders(programDir, userDataFolder()) : givenProgramFolder(given);
}

QString foldersHelpText(const ProgramFolders& folders) {
    return dataFolderText(folders) + QStringLiteral(" (Torvel.dat and Styles)\nFiles Finish copies: ") +
           QDir::toNativeSeparators(folders.files) + QStringLiteral(" (AUTORUN.INF and Start.exe)");
}

QString prepareFolders(const ProgramFolders& folders, const QString& program) {
    if (folders.kind == ProgramFolders::Kind::Given && !QFileInfo(folders.data).isDir()) {
        return QStringLiteral("%1: the program folder %2 does not exist")
            .arg(program, QDir::toNativeSeparators(folders.data));
    }
    try {
        seedUserData(folders);
    } catch (const TorvelError& e) {
        return program + QStringLiteral(": ") + e.message();
    }
    return QString();
}

}  // namespace torvel
