#pragma once

#include <QString>

#include "base/error.h"

namespace torvel {

// A copy into the menu folder or a style folder that failed: the source is missing or cannot
// be read, the target cannot be written, both are the same file, or a folder on the way could
// not be created. The message names both paths.
class CopyError : public TorvelError {
public:
    CopyError(const QString& source, const QString& target, const QString& reason);
    QString source() const { return source_; }
    QString target() const { return target_; }
    QString reason() const { return reason_; }

private:
    QString source_;
    QString target_;
    QString reason_;
};

// Copies an asset into the menu folder cdRoot + "Menu" under its own file name, replacing a file
// of that name; creates the menu folder when nothing of that name exists. Returns "Menu" + the
// separator + the file name.
QString copyToMenu(const QString& path, const QString& cdRoot);

// Copies an asset into the style folder programDir/Styles/styleName unless a file of its name is
// already there (that file is kept as it is). Creates the Styles folder and the style folder when
// they are missing. Returns the full path of the copy in the style folder.
QString copyToStyleFolder(const QString& path, const QString& programDir, const QString& styleName);

}  // namespace torvel
