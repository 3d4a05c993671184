// The escaping of values for each place in a generated file, and the Windows-1252 encoding:
// every escaped form can be read back to the value, and none needs a character the code page
// cannot hold.
#include <QRegularExpression>
#include <QStringView>
#include <array>
#include <optional>
#include <string>

#include "files/escaping.h"
#include "files/textfile.h"
#include "properties.h"

namespace torvel::fuzz {

namespace {

constexpr unsigned char kUndefinedBytes[] = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

// The code point of each Windows-1252 byte, or nothing for the five undefined bytes.
std::optional<char32_t> fromWindows1252(unsigned char byte) {
    static const auto table = [] {
        std::array<char32_t, 256> codes{};
        codes.fill(0xFFFFFFFF);
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (const auto b = toWindows1252(c)) {
                codes[static_cast<unsigned char>(*b)] = c;
            }
        }
        return codes;
    }();
    return table[byte] == 0xFFFFFFFF ? std::nullopt : std::optional<char32_t>(table[byte]);
}

// What the encoder makes of the text's code points: a lone surrogate is read as U+FFFD.
std::u32string codePoints(const QString& text) {
    std::u32string points;
    for (const char32_t c : QStringView(text).toUcs4()) {
        points += c;
    }
    return points;
}

// QString::fromUcs4 would take a leading U+FEFF for a byte order mark and drop it.
void appendCodePoint(QString& text, char32_t c) {
    if (QChar::requiresSurrogates(c)) {
        text += QChar(QChar::highSurrogate(c));
        text += QChar(QChar::lowSurrogate(c));
    } else {
        text += QChar(static_cast<char16_t>(c));
    }
}

bool fitsCodePage(const QString& text) {
    for (const char32_t c : QStringView(text).toUcs4()) {
        if (!toWindows1252(c)) {
            return false;
        }
    }
    return true;
}

// Reads Windows-1252 bytes back, resolving the numeric character references &#N; the encoder
// writes. Only meaningful for a text without "&" of its own.
std::u32string decodeWindows1252(const QByteArray& bytes) {
    std::u32string points;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '&' && i + 1 < bytes.size() && bytes[i + 1] == '#') {
            const qsizetype end = bytes.indexOf(';', i);
            if (end <= i + 2) {
                fail("a character reference ends in ;", shown(bytes));
            }
            bool ok = false;
            const uint code = bytes.mid(i + 2, end - i - 2).toUInt(&ok);
            if (!ok) {
                fail("a character reference holds a decimal number", shown(bytes));
            }
            points += static_cast<char32_t>(code);
            i = end;
            continue;
        }
        const auto c = fromWindows1252(byte);
        if (!c) {
            fail("the encoder writes no undefined byte", shown(bytes));
        }
        points += *c;
    }
    return points;
}

void checkEncoding(const QString& text) {
    const QByteArray bytes = encodeWindows1252(text);
    for (const unsigned char undefined : kUndefinedBytes) {
        check(!bytes.contains(static_cast<char>(undefined)), "the encoder writes no undefined byte",
              shown(text));
    }
    if (!text.contains(QLatin1Char('&'))) {
        check(decodeWindows1252(bytes) == codePoints(text), "encoded text decodes to its code points",
              shown(text));
    }
    for (const char32_t c : codePoints(text)) {
        if (const auto byte = toWindows1252(c)) {
            check(fromWindows1252(static_cast<unsigned char>(*byte)) == c, "a code page byte reads back",
                  QString::number(uint(c), 16));
        }
    }
}

bool isAsciiDigit(QChar ch) {
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

bool isHexDigits(const QString& text) {
    for (const QChar ch : text) {
        if (!isAsciiDigit(ch) && (ch.toLower() < QLatin1Char('a') || ch.toLower() > QLatin1Char('f'))) {
            return false;
        }
    }
    return true;
}

// Reads a single-quoted script string's content back as JavaScript does; nothing when it holds an
// unescaped quote or line break, a line continuation, an octal escape or a broken \x or \u.
std::optional<QString> unescapeScript(const QString& escaped) {
    QString value;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const QChar ch = escaped[i];
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('\r') || ch == QLatin1Char('\n') ||
            ch == QChar(0x2028) || ch == QChar(0x2029)) {
            return std::nullopt;
        }
        if (ch != QLatin1Char('\\')) {
            value += ch;
            continue;
        }
        if (++i == escaped.size()) {
            return std::nullopt;
        }
        const QChar next = escaped[i];
        const qsizetype digits = next == QLatin1Char('x') ? 2 : next == QLatin1Char('u') ? 4 : 0;
        if (digits > 0) {
            const QString hex = escaped.mid(i + 1, digits);
            if (hex.size() != digits || !isHexDigits(hex)) {
                return std::nullopt;
            }
            value += QChar(static_cast<char16_t>(hex.toUInt(nullptr, 16)));
            i += digits;
            continue;
        }
        switch (next.unicode()) {
            case u'r':
                value += QLatin1Char('\r');
                break;
            case u'n':
                value += QLatin1Char('\n');
                break;
            case u't':
                value += QLatin1Char('\t');
                break;
            case u'b':
                value += QChar(0x08);
                break;
            case u'f':
                value += QChar(0x0C);
                break;
            case u'v':
                value += QChar(0x0B);
                break;
            case u'\r':
            case u'\n':
            case 0x2028:
            case 0x2029:
                return std::nullopt;  // a line continuation: the string goes on on the next line
            default:
                if (isAsciiDigit(next)) {
                    // \0 not followed by a digit is NUL; any other digit is an octal escape.
                    if (next != QLatin1Char('0') ||
                        (i + 1 < escaped.size() && isAsciiDigit(escaped[i + 1]))) {
                        return std::nullopt;
                    }
                    value += QChar(0);
                } else {
                    value += next;  // any other character stands for itself: \\, \', \/, \!
                }
        }
    }
    return value;
}

void checkScriptString(const QString& value) {
    const QString escaped = scriptString(value);
    check(unescapeScript(escaped) == value, "a script string reads back to its value",
          shown(value) + QStringLiteral(" -> ") + shown(escaped));
    check(!escaped.contains(QStringLiteral("</")), "a script string holds no </", shown(escaped));
    check(fitsCodePage(escaped), "a script string needs no character beyond the code page", shown(escaped));
}

// Resolves the numeric character references &#N; of an HTML text.
QString resolveReferences(const QString& html) {
    QString text;
    for (qsizetype i = 0; i < html.size(); ++i) {
        if (html[i] == QLatin1Char('&') && html.mid(i + 1, 1) == QStringLiteral("#")) {
            const qsizetype end = html.indexOf(QLatin1Char(';'), i);
            bool ok = false;
            const uint code = end > i ? html.mid(i + 2, end - i - 2).toUInt(&ok) : 0;
            if (!ok) {
                fail("a character reference holds a decimal number", shown(html));
            }
            appendCodePoint(text, code);
            i = end;
        } else {
            text += html[i];
        }
    }
    return text;
}

// The text as the encoder reads it: lone surrogates as U+FFFD.
QString asCodePoints(const QString& text) {
    QString same;
    for (const char32_t c : codePoints(text)) {
        appendCodePoint(same, c);
    }
    return same;
}

void checkHtml(const QString& value) {
    const QString html = htmlText(value);
    check(fitsCodePage(html), "HTML text needs no character beyond the code page", shown(html));
    if (!value.contains(QLatin1Char('&'))) {
        check(resolveReferences(html) == asCodePoints(value), "HTML text reads back to its value",
              shown(value) + QStringLiteral(" -> ") + shown(html));
    }
    const QString description = htmlDescription(value);
    check(fitsCodePage(description), "a description needs no character beyond the code page",
          shown(description));
    check(!description.contains(QLatin1Char('\r')) && !description.contains(QLatin1Char('\n')),
          "a description holds no line break but <br>", shown(description));
    QString joined = value;
    joined.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"))
        .replace(QLatin1Char('\r'), QStringLiteral("<br>"))
        .replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    check(description == htmlText(joined), "a description is HTML text with <br> for each line break",
          shown(value));
}

// Reads a percent-encoded text back.
QString percentDecoded(const QString& encoded) {
    QString text;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == QLatin1Char('%')) {
            bool ok = false;
            const uint unit = encoded.mid(i + 1, 2).toUInt(&ok, 16);
            if (!ok || i + 2 >= encoded.size()) {
                fail("a percent escape holds two hex digits", shown(encoded));
            }
            text += QChar(static_cast<char16_t>(unit));
            i += 2;
        } else {
            text += encoded[i];
        }
    }
    return text;
}

bool holdsAny(const QString& text, const QString& characters) {
    for (const QChar ch : text) {
        if (characters.contains(ch) || ch.unicode() < 0x20 || ch.unicode() == 0x7F) {
            return true;
        }
    }
    return false;
}

void checkLinks(const QString& value) {
    const QString encoded = percentEncoded(value);
    check(percentDecoded(encoded) == value, "a percent-encoded text reads back to its value",
          shown(value) + QStringLiteral(" -> ") + shown(encoded));
    const QString reserved = QStringLiteral(" \"'<>=`#?&");
    check(!holdsAny(encoded, reserved), "a percent-encoded text holds no reserved character", shown(encoded));
    const QString attribute = linkAttribute(value);
    check(fitsCodePage(attribute), "a link attribute needs no character beyond the code page",
          shown(attribute));
    check(!holdsAny(QString(attribute).remove(QRegularExpression(QStringLiteral("&#[0-9]+;"))), reserved),
          "a link attribute holds no character that ends an unquoted attribute", shown(attribute));
    check(resolveReferences(attribute) == asCodePoints(encoded), "a link attribute reads back to its link",
          shown(attribute));
}

void checkCss(const QString& value) {
    const QString css = cssText(value);
    check(fitsCodePage(css), "a style sheet value needs no character beyond the code page", shown(css));
    const QString url = cssUrl(value);
    check(fitsCodePage(url), "a style sheet address needs no character beyond the code page", shown(url));
    // The escapes cssText writes (\42F and a blank) belong to the address; nothing else may end it
    // early or escape its closing bracket.
    const QString unescaped = QString(url).remove(QRegularExpression(QStringLiteral("\\\\[0-9A-F]{1,6} ")));
    check(!holdsAny(unescaped, QStringLiteral(" \"'()\\")),
          "a style sheet address holds no character that ends url() or escapes its bracket", shown(url));
}

}  // namespace

void escapingAndEncoding(const uint8_t* data, size_t size) {
    InputReader in(data, size);
    while (!in.atEnd()) {
        const QString value = in.text();
        checkEncoding(value);
        checkScriptString(value);
        checkHtml(value);
        checkLinks(value);
        checkCss(value);
    }
}

}  // namespace torvel::fuzz
