#pragma once

#include <QString>
#include <QStringList>

#include "form/prompts.h"

namespace torvel {

// A font value is family;size;weight, for instance "Arial;14pt;bold".

// A font value's family, size and weight.
struct FontParts {
    QString family;
    QString size;  // with its unit: "14pt"
    QString weight;
};

// The three parts of a font value; parts it lacks are empty, parts beyond the third are dropped.
FontParts fontParts(const QString& fontValue);

// The font dialog's preset for a font value: the family, the size without its two unit letters
// as a whole point size (a half rounds to the even neighbour) and bold when the weight reads
// "bold" in any letter case. A value with fewer than three parts or an unreadable size gives
// the first part (the whole text without ";"), size 10, not bold.
FontChoice fontPreset(const QString& fontValue);

// The font value of a font dialog's choice: "Verdana;12pt;Bold", "Times New Roman;10.5pt;Normal".
QString writeFontValue(const FontChoice& font);

}  // namespace torvel
