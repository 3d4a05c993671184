#include "files/paths.h"

namespace torvel {

QChar nativeSeparator() {
#ifdef Q_OS_WIN
    return QLatin1Char('\\');
#else
    return QLatin1Char('/');
#endif
}

Qt::CaseSensitivity pathCaseSensitivity() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

QString fileNameOf(const QString& path, QChar separator) {
    return path.mid(path.lastIndexOf(separator) + 1);
}

bool isAbsolutePath(const QString& path, QChar separator) {
    if (path.startsWith(separator)) {
        return true;
    }
    // A drive letter, a colon and a separator: D:\Disc
    return separator == QLatin1Char('\\') && path.size() >= 3 && path[0].isLetter() &&
           path[1] == QLatin1Char(':') && (path[2] == QLatin1Char('\\') || path[2] == QLatin1Char('/'));
}

std::optional<QString> getFileLink(const QString& fullPath, const QString& cdRoot, QChar separator,
                                   Qt::CaseSensitivity cs) {
    const int at = cdRoot.isEmpty() ? -1 : fullPath.indexOf(cdRoot, 0, cs);
    if (at >= 0) {
        return fullPath.mid(at + cdRoot.size());
    }
    if (isAbsolutePath(fullPath, separator)) {
        return std::nullopt;
    }
    return fullPath;
}

QString withTrailingSeparator(const QString& folder, QChar separator) {
    return folder.endsWith(separator) ? folder : folder + separator;
}

namespace {
bool isDriveForm(const QString& path, QChar separator) {
    return separator == QLatin1Char('\\') && path.size() >= 2 && path[0].isLetter() &&
           path[1] == QLatin1Char(':');
}
}  // namespace

QString folderAsShown(const QString& folder, QChar separator) {
    QString shown = folder;
    if (isDriveForm(shown, separator) && shown.size() == 2) {
        return shown + separator;
    }
    const int keep = isDriveForm(shown, separator) ? 3 : 1;
    while (shown.size() > keep && shown.endsWith(separator)) {
        shown.chop(1);
    }
    return shown;
}

QString driveLetterOf(const QString& path) {
    const int colon = path.indexOf(QLatin1Char(':'));
    return colon < 0 ? QString() : path.left(colon + 1);
}

}  // namespace torvel
