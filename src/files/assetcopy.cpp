#include "files/assetcopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "files/paths.h"

namespace torvel {

namespace fs = std::filesystem;

CopyError::CopyError(const QString& source, const QString& target, const QString& reason)
    : TorvelError(QStringLiteral("The file %1 could not be copied to %2: %3.").arg(source, target, reason)),
      source_(source),
      target_(target),
      reason_(reason) {}

namespace {

fs::path toPath(const QString& path) {
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

// Creates one folder level when nothing of that name exists; a file in its place is an error.
void ensureFolder(const QString& folder, const QString& source) {
    const QFileInfo info(folder);
    if (info.exists() || info.isSymLink()) {
        if (!info.isDir()) {
            throw CopyError(source, folder, QStringLiteral("%1 is a file, not a folder").arg(folder));
        }
        return;
    }
    if (!QDir().mkdir(folder)) {
        throw CopyError(source, folder, QStringLiteral("the folder %1 could not be created").arg(folder));
    }
}

// Copies a file, replacing the target; the file system copies it as a whole.
void copyReplacing(const QString& source, const QString& target) {
    const fs::path from = toPath(source);
    const fs::path to = toPath(target);
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) {
        throw CopyError(source, target, QStringLiteral("the source file does not exist or is not a file"));
    }
    if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) {
        throw CopyError(source, target, QStringLiteral("the source and the target are the same file"));
    }
    ec.clear();
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        throw CopyError(source, target, QString::fromLocal8Bit(ec.message()));
    }
}

}  // namespace

QString copyToMenu(const QString& path, const QString& cdRoot) {
    const QChar sep = nativeSeparator();
    const QString source = QDir::toNativeSeparators(path);
    const QString name = fileNameOf(source, sep);
    if (cdRoot.isEmpty()) {
        throw CopyError(source, QStringLiteral("Menu") + sep + name,
                        QStringLiteral("no CD root folder has been chosen"));
    }
    const QString menuFolder =
        withTrailingSeparator(QDir::toNativeSeparators(cdRoot), sep) + QStringLiteral("Menu");
    const QString target = menuFolder + sep + name;
    ensureFolder(menuFolder, source);
    copyReplacing(source, target);
    return QStringLiteral("Menu") + sep + name;
}

QString copyToStyleFolder(const QString& path, const QString& programDir, const QString& styleName) {
    const QChar sep = nativeSeparator();
    const QString source = QDir::toNativeSeparators(path);
    const QString stylesFolder =
        withTrailingSeparator(folderAsShown(QDir::toNativeSeparators(programDir), sep), sep) +
        QStringLiteral("Styles");
    const QString styleFolder = stylesFolder + sep + styleName;
    ensureFolder(stylesFolder, source);
    ensureFolder(styleFolder, source);
    const QString target = styleFolder + sep + fileNameOf(source, sep);
    if (QFileInfo(target).isFile()) {
        return target;
    }
    copyReplacing(source, target);
    return target;
}

}  // namespace torvel
