// The path helpers on any text, in both separator forms and both letter case rules.
//
// An input is: a form byte (bit 0 the back-slash form, bit 1 letter case ignored), a path and a
// CD root as texts, and the rest as UTF-8 text.
#include "files/paths.h"
#include "properties.h"

namespace torvel::fuzz {

namespace {

void checkPath(const QString& path, QChar separator) {
    const QString cleaned = cleanPath(path, separator);
    check(cleanPath(cleaned, separator) == cleaned, "a clean path is clean", shown(path));
    check(path.isEmpty() == cleaned.isEmpty(), "only an empty path cleans to nothing", shown(path));

    const QString folder = folderAsShown(path, separator);
    check(folderAsShown(folder, separator) == folder, "a folder as shown is shown the same again",
          shown(path));
    check(path.isEmpty() || folderAsShown(withTrailingSeparator(path, separator), separator) == folder,
          "a folder is shown the same with or without its end separator", shown(path));
}

// A link names something below the CD root in clean steps: no empty, "." or ".." one. An absolute
// path gives the part of its cleaned form after the cleaned root; a relative text is a link already.
void checkFileLink(const QString& path, const QString& root, QChar separator, Qt::CaseSensitivity cs) {
    const std::optional<QString> link = getFileLink(path, root, separator, cs);
    if (!link) {
        return;
    }
    const QString detail =
        shown(path) + QStringLiteral(" | ") + shown(root) + QStringLiteral(" -> ") + shown(*link);
    for (const QString& step : QString(*link).replace(QLatin1Char('/'), separator).split(separator)) {
        check(!step.isEmpty() && step != QStringLiteral(".") && step != QStringLiteral(".."),
              "a link below the root has no empty, . or .. step", detail);
    }
    const QString cleaned = cleanPath(path, separator);
    if (!isAbsolutePath(cleaned, separator)) {
        check(cleanPath(*link, separator) == cleaned, "a relative text links to what it names", detail);
        return;
    }
    const QString top = withTrailingSeparator(cleanPath(root, separator), separator);
    check(!root.isEmpty() && cleaned.compare(top + *link, cs) == 0,
          "the CD root and the link make the cleaned path", detail);
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
        checkPath(text, separator);
    }
    check(!isAbsolutePath(path, separator) || (!path.isEmpty() && isAbsolutePath(path + more, separator)),
          "a path stays absolute whatever follows", shown(path) + QStringLiteral(" | ") + shown(more));
    checkFileLink(path, root, separator, cs);
    checkFileLink(path + more, root, separator, cs);
}

}  // namespace torvel::fuzz
