#include "styles/fontvalue.h"

#include <QLocale>

#include "styles/colorvalues.h"

namespace torvel {

namespace {
constexpr double kFallbackSize = 10;
}

FontParts fontParts(const QString& fontValue) {
    const QStringList parts = fontValue.split(QLatin1Char(';'));
    return {parts.value(0), parts.value(1), parts.value(2)};
}

FontChoice fontPreset(const QString& fontValue) {
    const QStringList parts = fontValue.split(QLatin1Char(';'));
    FontChoice font;
    font.family = parts.value(0);
    font.size = kFallbackSize;
    font.bold = false;
    if (parts.size() < 3) {
        return font;
    }
    const QString& size = parts[1];
    const std::optional<int> points = size.size() > 2 ? toInt16(size.left(size.size() - 2)) : std::nullopt;
    if (!points || *points <= 0) {
        return font;
    }
    font.size = *points;
    font.bold = parts[2].compare(QStringLiteral("bold"), Qt::CaseInsensitive) == 0;
    return font;
}

QString writeFontValue(const FontChoice& font) {
    const QString size = QString::number(font.size, 'g', QLocale::FloatingPointShortest);
    return font.family + QLatin1Char(';') + size + QStringLiteral("pt;") +
           (font.bold ? QStringLiteral("Bold") : QStringLiteral("Normal"));
}

}  // namespace torvel
