#pragma once

#include <QString>

#include "form/stylevalues.h"

namespace torvel {

// The style sheet's path: cdRoot + "Menu" + separator + "Styles.css".
QString styleSheetFile(const QString& cdRoot);

// Writes the style sheet of the start pages into the menu folder below cdRoot (which ends in a
// separator), creating the folder "Menu" when it is missing. Twelve rules, each followed by an
// empty line. Throws TorvelError naming the folder or file that could not be written.
void writeStyleSheet(const QString& cdRoot, const StyleSheetValues& values);

}  // namespace torvel
