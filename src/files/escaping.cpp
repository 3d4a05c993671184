#include "files/escaping.h"

#include <QStringView>
#include <algorithm>
#include <array>
#include <string_view>

#include "files/textfile.h"

namespace torvel {

namespace {

bool fitsWindows1252(char32_t c) {
    return toWindows1252(c).has_value();
}

// ASCII and the Latin-1 letters and signs, which are their own Windows-1252 bytes.
constexpr bool directLatin1(char16_t u) {
    return u < 0x80 || (u >= 0xA0 && u <= 0xFF);
}

// Copies the runs of units that `plain` passes as they are, in one append each, and hands every
// other unit's index to `special`, which returns the index of the last unit it used.
template <typename Plain, typename Special>
void appendRuns(QString& out, QStringView value, Plain plain, Special special) {
    const qsizetype n = value.size();
    const char16_t* const units = value.utf16();
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (plain(units[i])) {
            continue;
        }
        if (i > from) {
            out.append(value.sliced(from, i - from));
        }
        i = special(i);
        from = i + 1;
    }
    if (from < n) {
        out.append(value.sliced(from));
    }
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
    appendRuns(
        out, value, [](char16_t u) { return u != u'\r' && u != u'\n' && directLatin1(u); },
        [&](qsizetype i) {
            const char32_t c = codePointAt(value, i);
            if (c != U'\r' && c != U'\n' && fitsWindows1252(c)) {
                appendCodePoint(out, c);
            } else {
                escape(out, c);
            }
            return i;
        });
}

void numericReference(QString& out, char32_t c) {
    out.append(QLatin1String("&#"));
    appendNumber(out, c);
    out.append(QLatin1Char(';'));
}

// Controls, DEL and the signs that would end or change a link: one flag per ASCII code.
constexpr std::array<bool, 128> kPercentReserved = [] {
    std::array<bool, 128> reserved{};
    for (int u = 0; u < 0x20; ++u) {
        reserved[u] = true;
    }
    reserved[0x7F] = true;
    for (const char c : std::string_view(" \"'<>=`%#?&")) {
        reserved[static_cast<unsigned char>(c)] = true;
    }
    return reserved;
}();

constexpr bool percentReserved(char16_t u) {
    return u < 0x80 && kPercentReserved[u];
}

void appendPercent(QString& out, char16_t u) {
    out.append(QLatin1Char('%'));
    appendHex(out, u, 2);
}

// Appends each line of a text as `appendLine` escapes it, with "<br>" for every line break (CR LF,
// CR or LF).
template <typename AppendLine>
void appendLinesWithBreaks(QString& out, QStringView value, AppendLine appendLine) {
    const qsizetype n = value.size();
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = value[i];
        if (ch != QLatin1Char('\r') && ch != QLatin1Char('\n')) {
            continue;
        }
        appendLine(out, value.sliced(from, i - from));
        out.append(QLatin1String("<br>"));
        if (ch == QLatin1Char('\r') && i + 1 < n && value[i + 1] == QLatin1Char('\n')) {
            ++i;
        }
        from = i + 1;
    }
    appendLine(out, value.sliced(from));
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
        digits[n++] = '-';
    }
    std::reverse(digits, digits + n);
    out.append(QLatin1StringView(digits, n));
}

void appendScriptString(QString& out, QStringView value) {
    const auto plain = [](char16_t u) {
        return directLatin1(u) && u != u'\\' && u != u'\'' && u != u'\r' && u != u'\n' && u != u'/' &&
               u != u'!';
    };
    appendRuns(out, value, plain, [&](qsizetype i) {
        const char16_t u = value[i].unicode();
        switch (u) {
            case u'\\':
                out.append(QLatin1String("\\\\"));
                return i;
            case u'\'':
                out.append(QLatin1String("\\'"));
                return i;
            case u'\r':
                out.append(QLatin1String("\\r"));
                return i;
            case u'\n':
                out.append(QLatin1String("\\n"));
                return i;
            case u'/':
            case u'!':
                // "</" would end the script and "<!--" would keep a later "</script>" from ending
                // it: the escaped forms read the same in the string.
                if (i > 0 && value[i - 1] == QLatin1Char('<')) {
                    out.append(QLatin1Char('\\'));
                }
                out.append(QChar(u));
                return i;
            default:
                break;
        }
        // Script strings are UTF-16: a character beyond the code page, surrogates included,
        // goes as one \uXXXX per code unit.
        if (QChar::isSurrogate(u) || !fitsWindows1252(u)) {
            out.append(QLatin1String("\\u"));
            appendHex(out, u, 4);
        } else {
            out.append(QChar(u));
        }
        return i;
    });
}

void appendHtmlText(QString& out, QStringView value) {
    appendOutside1252(out, value, numericReference);
}

void appendHtmlDescription(QString& out, QStringView value) {
    appendLinesWithBreaks(out, value, appendHtmlText);
}

void appendPercentEncoded(QString& out, QStringView value) {
    appendRuns(
        out, value, [](char16_t u) { return !percentReserved(u); },
        [&](qsizetype i) {
            appendPercent(out, value[i].unicode());
            return i;
        });
}

void appendLinkAttribute(QString& out, QStringView value) {
    // Percent-encoding leaves no CR or LF, so the HTML step only writes references for what the
    // code page cannot hold.
    appendRuns(
        out, value, [](char16_t u) { return directLatin1(u) && !percentReserved(u); },
        [&](qsizetype i) {
            const char32_t c = codePointAt(value, i);
            if (c < 0x80) {
                appendPercent(out, static_cast<char16_t>(c));
            } else if (fitsWindows1252(c)) {
                appendCodePoint(out, c);
            } else {
                numericReference(out, c);
            }
            return i;
        });
}

namespace {

// The characters text and attributes of a UTF-8 page never hold as they are.
constexpr bool plainHtml(char16_t u) {
    return u > u'>' || (u != u'&' && u != u'<' && u != u'>' && u != u'"' && u != u'\'' && u != u'\r' &&
                        u != u'\n' && u != 0);
}

// Unreserved ASCII characters and the signs a path may hold as they are; one flag per ASCII code.
constexpr std::array<bool, 128> kUrlPlain = [] {
    std::array<bool, 128> plain{};
    for (const char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                                         "-._~!$()*+,;=@")) {
        plain[static_cast<unsigned char>(c)] = true;
    }
    return plain;
}();

}  // namespace

void appendEscapedHtml(QString& out, QStringView value) {
    appendRuns(out, value, plainHtml, [&](qsizetype i) {
        switch (const char16_t u = value[i].unicode()) {
            case u'&':
                out.append(QLatin1String("&amp;"));
                break;
            case u'<':
                out.append(QLatin1String("&lt;"));
                break;
            case u'>':
                out.append(QLatin1String("&gt;"));
                break;
            case u'"':
                out.append(QLatin1String("&quot;"));
                break;
            case 0:
                out.append(QChar::ReplacementCharacter);
                break;
            default:  // ', CR, LF
                numericReference(out, u);
        }
        return i;
    });
}

void appendEscapedLines(QString& out, QStringView value) {
    appendLinesWithBreaks(out, value, appendEscapedHtml);
}

void appendUrl(QString& out, QStringView value, UrlPart part) {
    const bool path = part == UrlPart::Path;
    while (path && !value.isEmpty() && (value[0] == QLatin1Char('/') || value[0] == QLatin1Char('\\'))) {
        value = value.sliced(1);
    }
    const auto plain = [path](char16_t u) { return (u < 0x80 && kUrlPlain[u]) || (path && u == u'/'); };
    appendRuns(out, value, plain, [&](qsizetype i) {
        if (path && value[i] == QLatin1Char('\\')) {
            out.append(QLatin1Char('/'));
            return i;
        }
        const qsizetype first = i;
        codePointAt(value, i);
        QByteArray bytes;
        appendUtf8(bytes, value.sliced(first, i - first + 1));
        for (const char b : bytes) {
            appendPercent(out, static_cast<unsigned char>(b));
        }
        return i;
    });
}

void appendCssString(QString& out, QStringView value) {
    const auto plain = [](char16_t u) {
        return u >= 0x20 && u != 0x7F && u != u'"' && u != u'\\' && u != u'<';
    };
    appendRuns(out, value, plain, [&](qsizetype i) {
        const char16_t u = value[i].unicode();
        out.append(QLatin1Char('\\'));
        appendHex(out, u == 0 ? 0xFFFD : u, 1);
        out.append(QLatin1Char(' '));
        return i;
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
