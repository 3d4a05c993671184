#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "data/clsdata.h"
#include "files/paths.h"

namespace torvel {

// The name the description finder looks for: the bare file name of the editor's file field. The
// field holds either a full path (after Browse) or a stored link with forward slashes (after a
// click in the list); both kinds of separator count, so both give the same name. A field that is
// empty or ends in a separator gives an empty name.
QString fileSearchOf(const QString& fileField, QChar separator = nativeSeparator());

// The titles of every stored entry, in every menu (deleted menus included), whose link contains
// fileSearch anywhere, the case of every letter ignored: one title for each combination of title,
// link and description that differs in more than letter case, in the order the database returns them.
QStringList titlesForFile(clsData& data, const QString& fileSearch);

// The description of the first stored entry with this title (the case of every letter ignored), in
// any menu and under any link; nothing when no entry has the title.
std::optional<QString> descriptionForTitle(clsData& data, const QString& title);

}  // namespace torvel
