#pragma once

#include <QString>
#include <vector>

#include "disc/disccheck.h"
#include "generator/pageframe.h"

namespace torvel {

class Wizard;

// What Finish takes from the window for the start page.
PageInputs finishPageInputs(const Wizard& wizard);

// What Finish would write now. Once the style pages have been filled these are the window's
// fields, as Finish reads them; before (a menu just loaded) the stored menu and its style.
DiscCheckInputs discCheckInputs(Wizard& wizard);

// The check of the window's CD root.
std::vector<Finding> checkCdRoot(Wizard& wizard);

// True when `file` would lie in `folder` or below it, links resolved.
bool isInsideFolder(const QString& file, const QString& folder);

// The image file's name offered for a title: the title without the characters a file name
// cannot hold, and ".iso".
QString imageFileName(const QString& title);

}  // namespace torvel
