#pragma once

namespace torvel {

// Colour numbers are laid out 0x00BBGGRR (red in the low byte), as the colour dialog, the
// swatches and the controls' colours use them; a negative number refers to a system colour,
// which has no red, green and blue of its own.

constexpr int colorNumber(int red, int green, int blue) {
    return red | (green << 8) | (blue << 16);
}

constexpr int redOf(int color) {
    return color & 0xFF;
}

constexpr int greenOf(int color) {
    return (color >> 8) & 0xFF;
}

constexpr int blueOf(int color) {
    return (color >> 16) & 0xFF;
}

constexpr bool isSystemColor(int color) {
    return color < 0;
}

// No colour at all (0xFFFFFFFF): a swatch whose field names no colour shows it empty.
constexpr int kNoColor = -1;

}  // namespace torvel
