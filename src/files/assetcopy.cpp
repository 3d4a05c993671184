#include "files/assetcopy.h"

#include <QDir>
#include <QFileInfo>

#include "files/paths.h"
#include "files/safefile.h"

namespace torvel {

CopyError::CopyError(const QString& source, const QString& target, const QString& reason)
    : TorvelError(QStringLiteral("The file %1 could not be copied to %2: %3.").arg(source, target, reason)),
      source_(source),
      target_(target),
      reason_(reason) {}

namespace {

// One folder level on the way to a copy, created when missing; a link in its place is refused.
void ensureFolder(const QString& folder, const QString& source) {
    try {
        ensureRealFolder(folder);
    } catch (const WriteError& e) {
        throw CopyError(source, folder, e.reason());
    }
}

void copyReplacing(const QString& source, const QString& target) {
    try {
        copyFileSafely(source, target);
    } catch (const WriteError& e) {
        throw CopyError(source, target, e.reason());
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
    // Every copy is renamed into place only when complete, so a file of that name is whole. A
    // link of that name is no copy of ours: it is replaced.
    const QFileInfo existing(target);
    if (existing.isFile() && !existing.isSymbolicLink()) {
        return target;
    }
    copyReplacing(source, target);
    return target;
}

}  // namespace torvel
