#pragma once

#include <QString>
#include <optional>

#include "form/colornumber.h"

namespace torvel {

// Colour values are the text form RGB(r,g,b) of colour numbers (form/colornumber.h).

// The colour number of a colour value. The first four characters and the last one are not
// looked at; the rest is split at ",". Anything that cannot be read gives 0 (black).
int getCol(const QString& col);

// The colour a colour field's text names, as its swatch shows it: a colour value RGB(r,g,b)
// (letters in any case, blanks around the numbers, each 0 to 255) or a bare colour number in
// decimal (0 to 16777215, blanks around it: the background's default "16777215 " is white).
// Nothing for any other text. getCol, which presets the colour dialog, stays as it is.
std::optional<int> namedColor(const QString& text);

// The colour value RGB(r,g,b) of a colour number; a system colour gives RGB(-1,-1,-1).
QString getRGBString(int col);

// One component of a colour number: mask 0 red, 1 green, 2 blue, any other mask 0. A system
// colour gives -1 for every mask; whoever converts one tells the user (isSystemColor).
int GetColorPart(int color, int mask);

// A decimal text (blanks around it allowed) as a 16-bit integer, a fraction rounded to the
// nearest integer and a half to the even neighbour; nothing when it is no number or does not
// fit into -32768..32767.
std::optional<int> toInt16(const QString& text);

}  // namespace torvel
