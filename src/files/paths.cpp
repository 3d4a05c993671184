#include "files/paths.h"

#include <QStringList>

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
    return fileNameView(path, separator).toString();
}

QStringView fileNameView(QStringView path, QChar separator) {
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

namespace {
bool isDriveForm(const QString& path, QChar separator) {
    return separator == QLatin1Char('\\') && path.size() >= 2 && path[0].isLetter() &&
           path[1] == QLatin1Char(':');
}
}  // namespace

QString cleanPath(const QString& path, QChar separator) {
    if (path.isEmpty()) {
        return path;
    }
    QString p = path;
    if (separator == QLatin1Char('\\')) {
        p.replace(QLatin1Char('/'), separator);
    }
    // The top: a drive ("D:"), then the separators that start the path ("\\server" keeps two).
    QString top;
    qsizetype at = 0;
    if (isDriveForm(p, separator)) {
        top = p.left(2);
        at = 2;
    }
    qsizetype leading = 0;
    while (at + leading < p.size() && p[at + leading] == separator) {
        ++leading;
    }
    if (leading > 0) {
        const bool share = separator == QLatin1Char('\\') && top.isEmpty() && leading >= 2;
        top += QString(share ? 2 : 1, separator);
        at += leading;
    }
    const bool absolute = top.endsWith(separator);
    const QString up = QStringLiteral("..");
    QStringList parts;
    for (const QString& part : p.mid(at).split(separator, Qt::SkipEmptyParts)) {
        if (part == QStringLiteral(".")) {
            continue;
        }
        if (part == up) {
            if (!parts.isEmpty() && parts.last() != up) {
                parts.removeLast();
            } else if (!absolute) {
                parts << part;
            }
            continue;
        }
        parts << part;
    }
    const QString cleaned = top + parts.join(separator);
    if (top.isEmpty() && !parts.isEmpty() && isDriveForm(parts.first(), separator)) {
        // ".." took the path back to a step that reads as a drive ("a\..\C:x"): read it as one,
        // so that cleaning the result again gives the same.
        return cleanPath(cleaned, separator);
    }
    return cleaned.isEmpty() ? QStringLiteral(".") : cleaned;
}

std::optional<QString> getFileLink(const QString& fullPath, const QString& cdRoot, QChar separator,
                                   Qt::CaseSensitivity cs) {
    const QString path = cleanPath(fullPath, separator);
    if (!isAbsolutePath(path, separator)) {
        // A link below the root already: it must neither be empty, name the root, climb out of it
        // nor name a drive. A clean one comes back as it is, its separators included.
        const QString up = QStringLiteral("..");
        if (path.isEmpty() || path == QStringLiteral(".") || path == up || path.startsWith(up + separator) ||
            isDriveForm(path, separator)) {
            return std::nullopt;
        }
        QString asGiven = fullPath;
        if (separator == QLatin1Char('\\')) {
            asGiven.replace(QLatin1Char('/'), separator);
        }
        return asGiven == path ? fullPath : path;
    }
    if (cdRoot.isEmpty()) {
        return std::nullopt;
    }
    const QString root = withTrailingSeparator(cleanPath(cdRoot, separator), separator);
    // A share path below the top of a drive ("\\server\x" under "\") is no file below the root.
    if (path.size() > root.size() && path.startsWith(root, cs) && path[root.size()] != separator) {
        return path.mid(root.size());
    }
    return std::nullopt;
}

QString withTrailingSeparator(const QString& folder, QChar separator) {
    return folder.endsWith(separator) ? folder : folder + separator;
}

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
