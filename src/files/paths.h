#pragma once

#include <QString>
#include <optional>

namespace torvel {

// The platform's path separator: "\" on Windows, "/" elsewhere. Every path form of the wizard
// (the CD root, the root as shown, the style folders) uses it; the helpers below take it as a
// parameter so that both forms can be checked on any machine.
QChar nativeSeparator();
// Paths below the root compare without regard to letter case on Windows and macOS.
Qt::CaseSensitivity pathCaseSensitivity();

// The text after the last separator, the whole text when there is none.
QString fileNameOf(const QString& path, QChar separator = nativeSeparator());
QStringView fileNameView(QStringView path, QChar separator = nativeSeparator());

// True for a path that names its place from the top of a drive or file system.
bool isAbsolutePath(const QString& path, QChar separator = nativeSeparator());

// A path with "." and ".." resolved and repeated separators removed, in the separator's form (in
// the back-slash form "/" counts as a separator too). A ".." above the top of an absolute path is
// dropped, one above the start of a relative path stays; a relative path that resolves to nothing
// gives ".". No separator at the end, except for a top ("/", "D:\").
QString cleanPath(const QString& path, QChar separator = nativeSeparator());

// The part of a file's cleaned path after the CD root (cdRoot ends in a separator), in the
// separator's form. A path that does not start with the root, or that names the root itself, gives
// nothing. A relative text (a stored link loaded back into the editor) is a link already: it comes
// back unchanged when it is clean, cleaned otherwise, and gives nothing when it climbs above the
// root with ".." or names the root itself.
std::optional<QString> getFileLink(const QString& fullPath, const QString& cdRoot,
                                   QChar separator = nativeSeparator(),
                                   Qt::CaseSensitivity cs = pathCaseSensitivity());

// A folder path with exactly one separator at its end (the CD root form).
QString withTrailingSeparator(const QString& folder, QChar separator = nativeSeparator());

// A folder path as the folder list shows it: no separator at its end, except for the root of a
// drive or of the file system, which ends in one ("D:\", "/"). A bare drive "D:" gets its separator.
QString folderAsShown(const QString& folder, QChar separator = nativeSeparator());

// The drive letter of a path in drive form: the text before its first colon, and the colon
// ("D:" for D:\Disc); empty when the path holds no colon.
QString driveLetterOf(const QString& path);

}  // namespace torvel
