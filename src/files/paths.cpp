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

QString fileNameOf(const QString& path, QChar separator) { return path.mid(path.lastIndexOf(separator) + 1); }

bool isAbsolutePath(const QString& path, QChar separator) {
    if (path.startsWith(separator)) {
        return true;
    }
    // A drive letter, a colon and a separator: D:\Disc
    return separator == QLatin1Char('\\') && path.size() >= 3 && path[0].isLetter() && path[1] == QLatin1Char(':') &&
           (path[2] == QLatin1Char('\\') || path[2] == QLatin1Char('/'));
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

}  // namespace torvel
