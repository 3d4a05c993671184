#include "styles/colorvalues.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace torvel {

std::optional<int> toInt16(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    // The default rounding mode rounds a half to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

int getCol(const QString& col) {
    if (col.size() < 6) {
        return 0;
    }
    const QStringList parts = col.mid(4, col.size() - 5).split(QLatin1Char(','));
    if (parts.size() < 3) {
        return 0;
    }
    int components[3];
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> value = toInt16(parts[i]);
        if (!value) {
            return 0;
        }
        components[i] = std::clamp(*value, 0, 255);
    }
    return colorNumber(components[0], components[1], components[2]);
}

std::optional<int> namedColor(const QString& text) {
    static const QRegularExpression rgb(QStringLiteral(R"(^\s*RGB\s*\(\s*([0-9]{1,3})\s*,\s*([0-9]{1,3})\s*,)"
                                                       R"(\s*([0-9]{1,3})\s*\)\s*$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression number(QStringLiteral(R"(^\s*([0-9]{1,8})\s*$)"));
    if (const auto m = rgb.match(text); m.hasMatch()) {
        const int r = m.captured(1).toInt(), g = m.captured(2).toInt(), b = m.captured(3).toInt();
        if (r > 255 || g > 255 || b > 255) {
            return std::nullopt;
        }
        return colorNumber(r, g, b);
    }
    if (const auto m = number.match(text); m.hasMatch()) {
        const int n = m.captured(1).toInt();
        return n <= 0xFFFFFF ? std::optional<int>(n) : std::nullopt;
    }
    return std::nullopt;
}

QString getRGBString(int col) {
    const int r = GetColorPart(col, 0);
    const int g = GetColorPart(col, 1);
    const int b = GetColorPart(col, 2);
    return QStringLiteral("RGB(%1,%2,%3)").arg(r).arg(g).arg(b);
}

int GetColorPart(int color, int mask) {
    if (isSystemColor(color)) {
        return -1;
    }
    switch (mask) {
        case 0:
            return redOf(color);
        case 1:
            return greenOf(color);
        case 2:
            return blueOf(color);
        default:
            return 0;
    }
}

}  // namespace torvel
