// Colour and font values: whatever text a style field holds, reading it gives a value in range,
// and writing that value and reading it again gives it back.
#include <QStringList>
#include <cmath>
#include <cstring>

#include "properties.h"
#include "styles/colorvalues.h"
#include "styles/fontvalue.h"

namespace torvel::fuzz {

namespace {

void checkColour(const QString& text) {
    const int colour = getCol(text);
    check(colour >= 0 && colour <= 0xFFFFFF, "getCol gives a colour number 0..FFFFFF", shown(text));
    const QString written = getRGBString(colour);
    check(getCol(written) == colour, "a colour value read back gives its colour number", shown(written));
    const int parts[] = {GetColorPart(colour, 0), GetColorPart(colour, 1), GetColorPart(colour, 2)};
    check(written == QStringLiteral("RGB(%1,%2,%3)").arg(parts[0]).arg(parts[1]).arg(parts[2]),
          "getRGBString writes RGB(r,g,b) of the colour parts", shown(written));
    check(parts[0] + 256 * parts[1] + 65536 * parts[2] == colour, "the colour parts make the colour number",
          shown(text));
}

void checkColourNumber(int number) {
    for (int mask = 0; mask < 4; ++mask) {
        const int part = GetColorPart(number, mask);
        if (number < 0) {
            check(part == -1, "a system colour gives -1 for each part", QString::number(number));
        } else if (mask == 3) {
            check(part == 0, "an unknown mask gives 0", QString::number(number));
        } else {
            check(part == ((number >> (8 * mask)) & 0xFF), "a colour part is its byte",
                  QString::number(number));
        }
    }
}

void checkInt16(const QString& text) {
    const std::optional<int> value = toInt16(text);
    if (!value) {
        return;
    }
    check(*value >= -32768 && *value <= 32767, "toInt16 stays within 16 bits", shown(text));
    check(toInt16(QString::number(*value)) == value, "a 16-bit number read back gives itself", shown(text));
}

void checkFont(const QString& text) {
    const FontParts font = fontParts(text);
    const QStringList parts{font.family, font.size, font.weight};
    for (const QString& part : parts) {
        check(!part.contains(QLatin1Char(';')), "a font part holds no ;", shown(text));
    }
    const qsizetype separators = text.count(QLatin1Char(';'));
    const QString joined = parts.join(QLatin1Char(';'));
    check(separators >= 2 ? text.startsWith(joined)
                          : joined == text + QString(2 - separators, QLatin1Char(';')),
          "fontParts are the value's first three parts", shown(text));

    const FontChoice preset = fontPreset(text);
    check(preset.family == parts[0], "the preset's family is the value's first part", shown(text));
    check(preset.size > 0 && preset.size <= 32767 && preset.size == std::nearbyint(preset.size),
          "the preset's size is a whole number of points 1..32767", shown(text));
    const FontChoice again = fontPreset(writeFontValue(preset));
    check(again.family == preset.family && again.size == preset.size && again.bold == preset.bold,
          "a preset written and read back gives itself", shown(writeFontValue(preset)));
}

// A font dialog's choice of any size, written as a value and read back as a preset.
void checkWrittenFont(const QString& family, double size, bool bold) {
    if (family.contains(QLatin1Char(';'))) {
        return;  // the dialog offers no family with a ";"
    }
    const QString value = writeFontValue(FontChoice{family, size, bold});
    const FontChoice preset = fontPreset(value);
    const double whole = std::nearbyint(size);
    const bool readable = whole >= 1 && whole <= 32767;
    check(preset.family == family, "a written font keeps its family", shown(value));
    check(preset.size == (readable ? whole : 10.0) && preset.bold == (readable && bold),
          "a written font's size reads back rounded to whole points, or 10 when out of range", shown(value));
}

}  // namespace

void colourAndFontValues(const uint8_t* data, size_t size) {
    InputReader in(data, size);
    const QString first = in.text();
    int number = 0;
    double fontSize = 0;
    for (size_t i = 0; i < sizeof number; ++i) {
        number = static_cast<int>(static_cast<unsigned>(number) << 8 | in.byte());
    }
    unsigned char sizeBytes[sizeof fontSize];
    for (unsigned char& b : sizeBytes) {
        b = in.byte();
    }
    std::memcpy(&fontSize, sizeBytes, sizeof fontSize);
    const bool bold = in.byte() & 1;
    const QString rest = in.restAsUtf8();

    for (const QString& text : {first, rest}) {
        checkColour(text);
        checkInt16(text);
        checkFont(text);
    }
    checkColourNumber(number);
    checkWrittenFont(first, fontSize, bold);
}

}  // namespace torvel::fuzz
