#pragma once

#include <QString>

namespace torvel {

// The style field texts the style sheet and the Modern page are made of: fonts as
// "family;size;weight", colours as their text form, the background image path or "none", and the
// logo position as typed.
struct StyleSheetValues {
    QString titleFont;
    QString titleColor;
    QString backgroundColor;
    QString backImage;
    QString textFont;
    QString textColor;
    QString hyperFont;
    QString hyperColor;
    QString hyperColorActive;
    QString buttonFont;
    QString buttonColor;
    QString top;
    QString left;
};

}  // namespace torvel
