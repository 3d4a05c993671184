// Colour and font values: whatever text a style field holds, reading it gives a value in range,
// and writing that value and reading it again gives it back.
//
// An input is: a text, a colour number (4 bytes), a font size (a double, 8 bytes), a byte whose
// low bit is bold, and the rest as UTF-8 text.
#include <cmath>

#include "properties.h"
#include "styles/colorvalues.h"
#include "styles/fontvalue.h"

namespace torvel::fuzz {

namespace {

// A font dialog's choice (any size; no family with a ";") written as a value reads back rounded to
// whole points, or as the default size when out of range.
void checkWrittenFont(const FontChoice& font) {
    const QString value = writeFontValue(font);
    const FontChoice back = fontPreset(value);
    const double whole = std::nearbyint(font.size);
    const bool readable = whole >= 1 && whole <= 32767;
    check(font.family.contains(QLatin1Char(';')) ||
              (back.family == font.family && back.size == (readable ? whole : 10.0) &&
               back.bold == (readable && font.bold)),
          "a written font reads back rounded to whole points, or 10 when out of range", shown(value));
}

void checkText(const QString& text) {
    check(getCol(text) >= 0 && getCol(text) <= 0xFFFFFF, "getCol gives a colour number 0..FFFFFF",
          shown(text));
    if (const std::optional<int> value = toInt16(text)) {
        check(*value >= -32768 && *value <= 32767 && toInt16(QString::number(*value)) == value,
              "a 16-bit number stays within 16 bits and reads back", shown(text));
    }
    const FontChoice preset = fontPreset(text);
    check(preset.family == text.section(QLatin1Char(';'), 0, 0) && preset.size >= 1 && preset.size <= 32767 &&
              preset.size == std::nearbyint(preset.size),
          "a preset has the value's family and a whole size of 1..32767 points", shown(text));
    checkWrittenFont(preset);
}

}  // namespace

void colourAndFontValues(const uint8_t* data, size_t size) {
    InputReader in(data, size);
    const QString first = in.text();
    const auto number = in.raw<int32_t>();
    const auto fontSize = in.raw<double>();
    const bool bold = (in.byte() & 1) != 0;
    const QString rest = in.restAsUtf8();
    checkText(first);
    checkText(rest);
    for (const int colour : {getCol(first), getCol(rest), number & 0xFFFFFF}) {
        check(getCol(getRGBString(colour)) == colour, "a colour number written and read back gives itself",
              QString::number(colour));
    }
    checkWrittenFont({first, fontSize, bold});
}

}  // namespace torvel::fuzz
