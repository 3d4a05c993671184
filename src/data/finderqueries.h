#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "data/clsdata.h"

namespace torvel {

// The description finder's lookups over the stored entries of every menu.

// The titles of every stored entry, in every menu (deleted menus included), whose link contains
// fileSearch anywhere, the case of every letter ignored: one title for each combination of title,
// link and description that differs in more than letter case, in the order the database returns them.
QStringList titlesForFile(clsData& data, const QString& fileSearch);

// The description of the first stored entry with this title (the case of every letter ignored), in
// any menu and under any link; nothing when no entry has the title.
std::optional<QString> descriptionForTitle(clsData& data, const QString& title);

}  // namespace torvel
