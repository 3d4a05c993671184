#pragma once

#include <QString>

#include "files/paths.h"

namespace torvel {

// The name the description finder looks for: the bare file name of the editor's file field. The
// field holds either a full path (after Browse) or a stored link with forward slashes (after a
// click in the list); both kinds of separator count, so both give the same name. A field that is
// empty or ends in a separator gives an empty name.
QString fileSearchOf(const QString& fileField, QChar separator = nativeSeparator());

}  // namespace torvel
