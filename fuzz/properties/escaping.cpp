// The escaping of values for each place in a generated file, and the Windows-1252 encoding: every
// escaped form reads back to its value, stays on its line and needs no character beyond the code
// page, and the encoder's bytes read back to the text. The escapes of the UTF-8 page read back to
// their values and hold nothing that ends their place early.
//
// An input is a sequence of texts, each checked on its own.
#include <QStringDecoder>
#include <cctype>
#include <string_view>

#include "files/escaping.h"
#include "files/textfile.h"
#include "properties.h"

namespace torvel::fuzz {

namespace {

// The characters of the Windows-1252 bytes 80..9F; 0 for the five the code page leaves undefined.
constexpr char16_t kBytes80To9F[] =
    u"\u20AC\0\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\0\u017D\0"
    u"\0\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\0\u017E\u0178";

// A text's code points, a lone surrogate read as U+FFFD as the escapers and the encoder read it.
QList<uint> points(const QString& text) {
    return QStringView(text).toUcs4();
}

// A text with its numeric character references &#N; resolved.
QString resolved(const QString& html) {
    QString text;
    for (qsizetype i = 0; i < html.size(); ++i) {
        const qsizetype end =
            QStringView(html).sliced(i).startsWith(u"&#") ? html.indexOf(QLatin1Char(';'), i) : -1;
        bool ok = false;
        const uint code = end > i + 2 ? html.mid(i + 2, end - i - 2).toUInt(&ok) : 0;
        if (ok && code <= 0x10FFFF) {
            text += QChar::fromUcs4(code);
            i = end;
        } else {
            text += html[i];
        }
    }
    return text;
}

// Every escaped form stays on the line it is written on and needs no character beyond the code page.
void checkForm(const QString& escaped, const char* form) {
    const QList<uint> all = points(escaped);
    check(std::all_of(all.begin(), all.end(),
                      [](uint c) { return c != '\r' && c != '\n' && toWindows1252(c); }),
          "an escaped value holds no CR, LF or character beyond the code page",
          QString::fromLatin1(form) + QStringLiteral(": ") + shown(escaped));
}

// Reads a single-quoted script string's content back as JavaScript does. Gives nothing for an
// unescaped quote or line break, a line continuation, and escapes that it does not read: it reads
// \uXXXX, \b \f \n \r \t \v and a backslash before any other character but a letter or a digit.
std::optional<QString> readScriptString(const QString& escaped) {
    const QString lineBreaks = QStringLiteral("\r\n\u2028\u2029");
    static const QRegularExpression fourHexDigits(QStringLiteral("^[0-9A-Fa-f]{4}\\z"));
    QString value;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const QChar ch = escaped[i];
        const QChar next = i + 1 < escaped.size() ? escaped[i + 1] : QChar();
        const qsizetype simple = QStringLiteral("bfnrtv").indexOf(next);
        if (ch == QLatin1Char('\'') || lineBreaks.contains(ch) ||
            (ch == QLatin1Char('\\') && i + 1 == escaped.size())) {
            return std::nullopt;
        } else if (ch != QLatin1Char('\\')) {
            value += ch;
        } else if (next == QLatin1Char('u') && fourHexDigits.match(escaped.mid(i + 2, 4)).hasMatch()) {
            value += QChar(static_cast<char16_t>(escaped.mid(i + 2, 4).toUInt(nullptr, 16)));
            i += 5;
        } else if (simple >= 0) {
            value += QStringLiteral("\b\f\n\r\t\v")[simple];
            ++i;
        } else if (lineBreaks.contains(next) || (next.unicode() < 0x80 && std::isalnum(next.unicode()))) {
            return std::nullopt;
        } else {
            value += next;  // \\, \', \/, \!
            ++i;
        }
    }
    return value;
}

// The UTF-8 page's escapes of one value, each read back as a browser reads it: HTML text and
// attributes, description lines, addresses (a file name, a path below the page) and CSS strings.
void checkUtf8Escapes(const QString& value) {
    // The value as the page holds it: a lone surrogate as U+FFFD, and NUL, which HTML and CSS drop.
    // A text as the UTF-8 file holds it; not made with fromUcs4, which drops a leading U+FEFF.
    const auto asStored = [](const QString& text) {
        QString out;
        for (const uint c : points(text)) {
            out.append(QChar::fromUcs4(c));
        }
        return out;
    };
    const QString stored = asStored(value);
    const QString shownValue = QString(stored).replace(QChar(0), QChar::ReplacementCharacter);
    QString html, lines, name, path, css;
    appendEscapedHtml(html, value);
    appendEscapedLines(lines, value);
    appendUrl(name, value, UrlPart::Name);
    appendUrl(path, value, UrlPart::Path);
    appendCssString(css, value);
    css = asStored(css);  // regular expressions match no text that holds a lone surrogate
    const auto holdsAny = [](const QString& text, std::string_view characters) {
        return std::any_of(text.begin(), text.end(), [characters](QChar c) {
            return c.unicode() < 0x80 &&
                   characters.find(static_cast<char>(c.unicode())) != std::string_view::npos;
        });
    };
    QString references = html;
    references.replace(QStringLiteral("&amp;"), QStringLiteral("&#38;"))
        .replace(QStringLiteral("&lt;"), QStringLiteral("&#60;"))
        .replace(QStringLiteral("&gt;"), QStringLiteral("&#62;"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("&#34;"));
    check(!holdsAny(html, "<>\"'\r\n") && points(resolved(references)) == points(shownValue),
          "UTF-8 HTML text reads back to its value", shown(html));
    check(!holdsAny(QString(lines).remove(QStringLiteral("<br>")), "<>\r\n"),
          "UTF-8 description lines hold no markup but <br>", shown(lines));

    const auto decoded = [](const QString& url) {  // a leading U+FEFF kept as the browser keeps it
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return QString(utf8(QByteArray::fromPercentEncoding(url.toLatin1())));
    };
    static const QRegularExpression addressCharacters(QStringLiteral("^[A-Za-z0-9._~!$()*+,;=@%/-]*$"));
    QString below = QString(stored).replace(QLatin1Char('\\'), QLatin1Char('/'));
    below.remove(QRegularExpression(QStringLiteral("^/+")));
    check(addressCharacters.match(name + path).hasMatch() && !name.contains(QLatin1Char('/')) &&
              decoded(name) == stored && decoded(path) == below,
          "an address reads back to its file name or its path below the page",
          shown(name) + QStringLiteral(" ") + shown(path));

    static const QRegularExpression cssEscape(QStringLiteral("\\\\([0-9A-F]{1,6}) "));
    QString read;
    qsizetype from = 0;
    for (auto it = cssEscape.globalMatch(css); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        read += css.mid(from, m.capturedStart() - from);
        read.append(QChar::fromUcs4(m.captured(1).toUInt(nullptr, 16)));
        from = m.capturedEnd();
    }
    read += css.mid(from);
    check(!holdsAny(QString(css).remove(cssEscape), "\"\\<\r\n") && points(read) == points(shownValue),
          "a CSS string reads back to its value and ends only where the writer ends it", shown(css));
}

}  // namespace

void escapingAndEncoding(const uint8_t* data, size_t size) {
    const auto holdsAny = [](const QString& text, const QString& characters) {
        return std::any_of(text.begin(), text.end(), [&characters](QChar ch) {
            return characters.contains(ch) || ch.unicode() < 0x20 || ch.unicode() == 0x7F;
        });
    };
    InputReader in(data, size);
    while (!in.atEnd()) {
        const QString value = in.text();
        const QString detail = shown(value);

        const QByteArray bytes = encodeWindows1252(value);
        QString decoded;
        bool defined = true;
        for (const char b : bytes) {
            const auto byte = static_cast<unsigned char>(b);
            const char16_t c = byte >= 0x80 && byte < 0xA0 ? kBytes80To9F[byte - 0x80] : byte;
            defined = defined && (c != 0 || byte == 0);
            decoded += QChar(c);
        }
        check(defined, "the encoder writes no undefined byte", detail);
        check(value.contains(QLatin1Char('&')) || points(resolved(decoded)) == points(value),
              "encoded text decodes to its code points", detail);

        const QString script = scriptString(value);
        check(readScriptString(script) == value, "a script string reads back to its value", shown(script));
        check(!script.contains(QStringLiteral("</")) && !script.contains(QStringLiteral("<!")),
              "a script string holds no </ or <!", shown(script));
        checkForm(script, "script string");

        const QString html = htmlText(value);
        check(value.contains(QLatin1Char('&')) || points(resolved(html)) == points(value),
              "HTML text reads back to its value", shown(html));
        checkForm(html, "HTML text");
        checkForm(htmlDescription(value), "description");

        const QString encoded = percentEncoded(value);
        // Compared as UTF-8, which holds a lone surrogate as "?".
        check(QString::fromUtf8(QByteArray::fromPercentEncoding(encoded.toUtf8())) ==
                  QString::fromUtf8(value.toUtf8()),
              "a percent-encoded text reads back to its value", shown(encoded));
        check(!holdsAny(encoded, QStringLiteral(" \"'<>=`#?&")),
              "a percent-encoded text holds no reserved character", shown(encoded));
        const QString attribute = linkAttribute(value);
        check(points(resolved(attribute)) == points(encoded), "a link attribute reads back to its link",
              shown(attribute));
        checkForm(attribute, "link attribute");

        checkForm(cssText(value), "style sheet value");
        const QString url = cssUrl(value);
        checkForm(url, "style sheet address");
        // The escapes cssText writes (\42F and a blank) belong to the address; nothing else may end it
        // early or escape its closing bracket.
        const QString unescaped =
            QString(url).remove(QRegularExpression(QStringLiteral("\\\\[0-9A-F]{1,6} ")));
        check(!holdsAny(unescaped, QStringLiteral(" \"'()\\")),
              "a style sheet address holds no character that ends url() or escapes its bracket", shown(url));
        checkUtf8Escapes(value);
    }
}

}  // namespace torvel::fuzz
