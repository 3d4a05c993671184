#include "files/escaping.h"

#include <QStringView>

#include "files/textfile.h"

namespace torvel {

namespace {

bool fitsWindows1252(char32_t c) {
    return toWindows1252(c).has_value();
}

void appendCodePoint(QString& out, char32_t c) {
    out.append(QString::fromUcs4(&c, 1));
}

// Replaces every character the code page cannot hold, and CR and LF, which would break the
// line the value is written on, by what `escape` makes of its code point.
template <typename Escape>
QString escapeOutside1252(const QString& value, Escape escape) {
    QString out;
    out.reserve(value.size());
    for (char32_t c : QStringView(value).toUcs4()) {
        if (fitsWindows1252(c) && c != U'\r' && c != U'\n') {
            appendCodePoint(out, c);
        } else {
            out.append(escape(c));
        }
    }
    return out;
}

QString hex4(uint unit) {
    return QStringLiteral("%1").arg(unit, 4, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

QString scriptString(const QString& value) {
    QString out;
    out.reserve(value.size() + 8);
    const qsizetype n = value.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = value[i];
        switch (ch.unicode()) {
            case u'\\':
                out.append(QStringLiteral("\\\\"));
                continue;
            case u'\'':
                out.append(QStringLiteral("\\'"));
                continue;
            case u'\r':
                out.append(QStringLiteral("\\r"));
                continue;
            case u'\n':
                out.append(QStringLiteral("\\n"));
                continue;
            case u'/':
            case u'!':
                // "</" would end the script and "<!--" would keep a later "</script>" from ending
                // it: the escaped forms read the same in the string.
                if (i > 0 && value[i - 1] == QLatin1Char('<')) {
                    out.append(QLatin1Char('\\'));
                }
                out.append(ch);
                continue;
            default:
                break;
        }
        // Script strings are UTF-16: a character beyond the code page, surrogates included,
        // goes as one \uXXXX per code unit.
        if (ch.isSurrogate() || !fitsWindows1252(ch.unicode())) {
            out.append(QStringLiteral("\\u")).append(hex4(ch.unicode()));
        } else {
            out.append(ch);
        }
    }
    return out;
}

QString htmlText(const QString& value) {
    return escapeOutside1252(value,
                             [](char32_t c) { return QStringLiteral("&#%1;").arg(static_cast<uint>(c)); });
}

QString htmlDescription(const QString& value) {
    QString joined;
    joined.reserve(value.size());
    const qsizetype n = value.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = value[i];
        if (ch == QLatin1Char('\r')) {
            joined.append(QStringLiteral("<br>"));
            if (i + 1 < n && value[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
        } else if (ch == QLatin1Char('\n')) {
            joined.append(QStringLiteral("<br>"));
        } else {
            joined.append(ch);
        }
    }
    return htmlText(joined);
}

QString percentEncoded(const QString& value) {
    static const QString kReserved = QStringLiteral(" \"'<>=`%#?&");
    QString out;
    out.reserve(value.size());
    for (const QChar ch : value) {
        const char16_t u = ch.unicode();
        if (u < 0x20 || u == 0x7F || kReserved.contains(ch)) {
            out.append(QLatin1Char('%'))
                .append(QStringLiteral("%1").arg(uint(u), 2, 16, QLatin1Char('0')).toUpper());
        } else {
            out.append(ch);
        }
    }
    return out;
}

QString linkAttribute(const QString& value) {
    return htmlText(percentEncoded(value));
}

QString cssText(const QString& value) {
    return escapeOutside1252(
        value, [](char32_t c) { return QStringLiteral("\\%1 ").arg(static_cast<uint>(c), 0, 16).toUpper(); });
}

QString cssUrl(const QString& value) {
    QString encoded = percentEncoded(value);
    // Brackets end an unquoted url(...) early and a backslash escapes the character after it, so
    // they are encoded there too.
    encoded.replace(QLatin1Char('('), QStringLiteral("%28"))
        .replace(QLatin1Char(')'), QStringLiteral("%29"))
        .replace(QLatin1Char('\\'), QStringLiteral("%5C"));
    return cssText(encoded);
}

}  // namespace torvel
