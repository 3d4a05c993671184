#include "files/escaping.h"

#include <QStringView>

#include "files/textfile.h"

namespace torvel {

namespace {

bool fitsWindows1252(char32_t c) {
    return toWindows1252(c).has_value();
}

void appendCodePoint(QString& out, char32_t c) {
    if (QChar::requiresSurrogates(c)) {
        out.append(QChar(QChar::highSurrogate(c))).append(QChar(QChar::lowSurrogate(c)));
    } else {
        out.append(QChar(static_cast<char16_t>(c)));
    }
}

void appendHex(QString& out, uint value, int minDigits) {
    char digits[8];
    int n = 0;
    do {
        digits[n++] = "0123456789ABCDEF"[value % 16];
        value /= 16;
    } while (value != 0 || n < minDigits);
    while (n > 0) {
        out.append(QLatin1Char(digits[--n]));
    }
}

// Appends a text, every character the code page cannot hold, and CR and LF, which would break the
// line the value is written on, as `escape` writes its code point.
template <typename Escape>
void appendOutside1252(QString& out, QStringView value, Escape escape) {
    forEachCodePoint(value, [&](char32_t c) {
        if (c != U'\r' && c != U'\n' && fitsWindows1252(c)) {
            appendCodePoint(out, c);
        } else {
            escape(out, c);
        }
    });
}

void numericReference(QString& out, char32_t c) {
    out.append(QLatin1String("&#"));
    appendNumber(out, c);
    out.append(QLatin1Char(';'));
}

bool percentReserved(char16_t u) {
    static constexpr QLatin1StringView kReserved(" \"'<>=`%#?&");
    return u < 0x20 || u == 0x7F || (u < 0x80 && kReserved.contains(QLatin1Char(static_cast<char>(u))));
}

template <typename Append>
QString escaped(const QString& value, Append append) {
    QString out;
    out.reserve(value.size() + 8);
    append(out, value);
    return out;
}

}  // namespace

void appendNumber(QString& out, qint64 number) {
    char digits[24];
    int n = 0;
    const bool negative = number < 0;
    quint64 rest = negative ? 0 - static_cast<quint64>(number) : static_cast<quint64>(number);
    do {
        digits[n++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (negative) {
        out.append(QLatin1Char('-'));
    }
    while (n > 0) {
        out.append(QLatin1Char(digits[--n]));
    }
}

void appendScriptString(QString& out, QStringView value) {
    const qsizetype n = value.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = value[i];
        switch (ch.unicode()) {
            case u'\\':
                out.append(QLatin1String("\\\\"));
                continue;
            case u'\'':
                out.append(QLatin1String("\\'"));
                continue;
            case u'\r':
                out.append(QLatin1String("\\r"));
                continue;
            case u'\n':
                out.append(QLatin1String("\\n"));
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
            out.append(QLatin1String("\\u"));
            appendHex(out, ch.unicode(), 4);
        } else {
            out.append(ch);
        }
    }
}

void appendHtmlText(QString& out, QStringView value) {
    appendOutside1252(out, value, numericReference);
}

void appendHtmlDescription(QString& out, QStringView value) {
    const qsizetype n = value.size();
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = value[i];
        if (ch != QLatin1Char('\r') && ch != QLatin1Char('\n')) {
            continue;
        }
        appendHtmlText(out, value.mid(from, i - from));
        out.append(QLatin1String("<br>"));
        if (ch == QLatin1Char('\r') && i + 1 < n && value[i + 1] == QLatin1Char('\n')) {
            ++i;
        }
        from = i + 1;
    }
    appendHtmlText(out, value.mid(from));
}

void appendPercentEncoded(QString& out, QStringView value) {
    for (const QChar ch : value) {
        if (percentReserved(ch.unicode())) {
            out.append(QLatin1Char('%'));
            appendHex(out, ch.unicode(), 2);
        } else {
            out.append(ch);
        }
    }
}

void appendLinkAttribute(QString& out, QStringView value) {
    // Percent-encoding leaves no CR or LF, so the HTML step only writes references for what the
    // code page cannot hold.
    forEachCodePoint(value, [&](char32_t c) {
        if (c < 0x80 && percentReserved(static_cast<char16_t>(c))) {
            out.append(QLatin1Char('%'));
            appendHex(out, c, 2);
        } else if (fitsWindows1252(c)) {
            appendCodePoint(out, c);
        } else {
            numericReference(out, c);
        }
    });
}

QString scriptString(const QString& value) {
    return escaped(value, appendScriptString);
}

QString htmlText(const QString& value) {
    return escaped(value, appendHtmlText);
}

QString htmlDescription(const QString& value) {
    return escaped(value, appendHtmlDescription);
}

QString percentEncoded(const QString& value) {
    return escaped(value, appendPercentEncoded);
}

QString linkAttribute(const QString& value) {
    return escaped(value, appendLinkAttribute);
}

QString cssText(const QString& value) {
    return escaped(value, [](QString& out, QStringView text) {
        appendOutside1252(out, text, [](QString& o, char32_t c) {
            o.append(QLatin1Char('\\'));
            appendHex(o, c, 1);
            o.append(QLatin1Char(' '));
        });
    });
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
