// The path helpers on any text, in both separator forms and both letter case rules.
#include <QStringList>

#include "files/paths.h"
#include "properties.h"

namespace torvel::fuzz {

namespace {

QString both(const QString& a, const QString& b) {
    return shown(a) + QStringLiteral(" | ") + shown(b);
}

void checkFileName(const QString& path, QChar separator) {
    const QString name = fileNameOf(path, separator);
    check(!name.contains(separator), "a file name holds no separator", shown(path));
    check(path.endsWith(name), "a file name ends its path", shown(path));
    check(name.size() == path.size() || path[path.size() - name.size() - 1] == separator,
          "a file name starts after a separator or at the start", shown(path));
}

void checkAbsolute(const QString& path, const QString& more, QChar separator) {
    if (isAbsolutePath(path, separator)) {
        check(isAbsolutePath(path + more, separator), "a path stays absolute whatever follows",
              both(path, more));
        check(!path.isEmpty(), "an empty path is not absolute");
    }
    if (separator == QLatin1Char('/')) {
        check(isAbsolutePath(path, separator) == path.startsWith(separator),
              "in the slash form a path is absolute when it starts with a slash", shown(path));
    }
}

void checkFolders(const QString& folder, QChar separator) {
    const QString withSeparator = withTrailingSeparator(folder, separator);
    check(
        withSeparator.endsWith(separator) && (withSeparator == folder || withSeparator == folder + separator),
        "a folder gets one separator at its end when it has none", shown(folder));
    check(withTrailingSeparator(withSeparator, separator) == withSeparator,
          "adding the end separator twice changes nothing", shown(folder));

    const QString shownFolder = folderAsShown(folder, separator);
    check(folderAsShown(shownFolder, separator) == shownFolder, "a folder as shown is shown the same again",
          both(folder, shownFolder));
    const bool top =
        shownFolder == QString(separator) ||
        (separator == QLatin1Char('\\') && shownFolder.size() == 3 && shownFolder[1] == QLatin1Char(':'));
    check(top || !shownFolder.endsWith(separator), "a folder as shown ends in a separator only at a top",
          both(folder, shownFolder));
    if (!folder.isEmpty()) {
        check(folderAsShown(withSeparator, separator) == shownFolder,
              "a folder is shown the same with or without its end separator", shown(folder));
    }
}

void checkDrive(const QString& path) {
    const QString drive = driveLetterOf(path);
    if (!path.contains(QLatin1Char(':'))) {
        check(drive.isEmpty(), "a path without a colon names no drive", shown(path));
        return;
    }
    check(path.startsWith(drive) && drive.endsWith(QLatin1Char(':')) && drive.count(QLatin1Char(':')) == 1,
          "a drive is the path up to its first colon", both(path, drive));
}

void checkCleanPath(const QString& path, QChar separator) {
    const QString cleaned = cleanPath(path, separator);
    check(cleanPath(cleaned, separator) == cleaned, "a clean path is clean", both(path, cleaned));
    check(path.isEmpty() == cleaned.isEmpty(), "only an empty path cleans to nothing", shown(path));
}

// A link names something below the CD root in clean steps: no empty, "." or ".." one. A relative
// text is a link already and comes back as it is when clean, cleaned otherwise; an absolute path
// gives the part of its cleaned form after the cleaned root.
void checkFileLink(const QString& path, const QString& root, QChar separator, Qt::CaseSensitivity cs) {
    const std::optional<QString> link = getFileLink(path, root, separator, cs);
    if (!link) {
        return;
    }
    const QString detail = both(path, root) + QStringLiteral(" -> ") + shown(*link);
    QString steps = *link;
    if (separator == QLatin1Char('\\')) {
        steps.replace(QLatin1Char('/'), separator);
    }
    for (const QString& step : steps.split(separator)) {
        check(!step.isEmpty() && step != QStringLiteral(".") && step != QStringLiteral(".."),
              "a link below the root has no empty, . or .. step", detail);
    }
    const QString cleaned = cleanPath(path, separator);
    if (!isAbsolutePath(cleaned, separator)) {
        QString asGiven = path;
        if (separator == QLatin1Char('\\')) {
            asGiven.replace(QLatin1Char('/'), separator);
        }
        check(*link == (asGiven == cleaned ? path : cleaned),
              "a relative link comes back as it is when clean, cleaned otherwise", detail);
        return;
    }
    check(!root.isEmpty(), "an absolute path has no link without a CD root", detail);
    const QString top = withTrailingSeparator(cleanPath(root, separator), separator);
    check(cleaned.compare(top + *link, cs) == 0, "the CD root and the link make the cleaned path", detail);
}

}  // namespace

void pathHelpers(const uint8_t* data, size_t size) {
    InputReader in(data, size);
    const uint8_t form = in.byte();
    const QChar separator = (form & 1) != 0 ? QLatin1Char('\\') : QLatin1Char('/');
    const Qt::CaseSensitivity cs = (form & 2) != 0 ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const QString path = in.text();
    const QString root = in.text();
    const QString more = in.restAsUtf8();

    for (const QString& text : {path, root, more}) {
        checkFileName(text, separator);
        checkFolders(text, separator);
        checkDrive(text);
        checkCleanPath(text, separator);
    }
    checkAbsolute(path, more, separator);
    checkFileLink(path, root, separator, cs);
    checkFileLink(path + more, root, separator, cs);
}

}  // namespace torvel::fuzz
