#pragma once

#include <QString>
#include <optional>

#include "form/colornumber.h"
#include "form/prompts.h"

namespace torvel {

// Colour values are the text form RGB(r,g,b) of colour numbers (form/colornumber.h).

// The colour number of a colour value. The first four characters and the last one are not
// looked at; the rest is split at ",". Anything that cannot be read gives 0 (black).
int getCol(const QString& col);

// The colour value RGB(r,g,b) of a colour number.
QString getRGBString(int col, Prompts* prompts = nullptr);

// One component of a colour number: mask 0 red, 1 green, 2 blue, any other mask 0. A system
// colour (negative number) is reported as "<n> ist eine Systemfarbe" when prompts are given and
// gives -1.
int GetColorPart(int color, int mask, Prompts* prompts = nullptr);

// A decimal text (blanks around it allowed) as a 16-bit integer, a fraction rounded to the
// nearest integer and a half to the even neighbour; nothing when it is no number or does not
// fit into -32768..32767.
std::optional<int> toInt16(const QString& text);

}  // namespace torvel
