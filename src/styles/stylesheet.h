#pragma once

#include <QString>

namespace torvel {

// The style field texts the style sheet is made of: fonts as "family;size;weight", colours as
// their text form, the background image path or "none", and the logo position as typed.
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

// The style sheet's path: cdRoot + "Menu" + separator + "Styles.css".
QString styleSheetFile(const QString& cdRoot);

// Writes the style sheet of the start pages into the menu folder below cdRoot (which ends in a
// separator), creating the folder "Menu" when it is missing. Twelve rules, each followed by an
// empty line. Throws TorvelError naming the folder or file that could not be written.
void writeStyleSheet(const QString& cdRoot, const StyleSheetValues& values);

}  // namespace torvel
