#pragma once

#include <QString>
#include <QStringView>

namespace torvel {

// How a value is written into a generated file, by where it lands. Values without the
// characters named below come back unchanged.

// Inside a single-quoted script string: backslash, apostrophe, CR and LF as \\, \', \r and \n,
// "</" as "<\/", "<!" as "<\!", and a character Windows-1252 cannot hold as \uXXXX.
QString scriptString(const QString& value);

// HTML text (headings, labels, titles): verbatim, authors may use markup; a character
// Windows-1252 cannot hold, and CR and LF, become numeric character references (&#1071;, &#13;).
QString htmlText(const QString& value);

// A description shown as HTML text: as htmlText, and each line break (CR LF, CR or LF) as <br>.
QString htmlDescription(const QString& value);

// A link target or asset reference: blank, tab, control characters, ", ', <, >, =, backquote,
// %, #, ? and & percent-encoded (%20); everything else as it is.
QString percentEncoded(const QString& value);

// A link target or asset reference in an HTML attribute: percent-encoded, and a character
// Windows-1252 cannot hold as a numeric character reference.
QString linkAttribute(const QString& value);

// A style sheet value: a character Windows-1252 cannot hold, and CR and LF, as a CSS escape (\42F
// and a blank).
QString cssText(const QString& value);

// The address inside the style sheet's url(...): percent-encoded (brackets and backslash too), then
// as cssText.
QString cssUrl(const QString& value);

// The same escapes appended to `out`, for writers that build a line piece by piece: no text is
// made per character or per value.
void appendScriptString(QString& out, QStringView value);
void appendHtmlText(QString& out, QStringView value);
void appendHtmlDescription(QString& out, QStringView value);
void appendPercentEncoded(QString& out, QStringView value);
void appendLinkAttribute(QString& out, QStringView value);

// For a UTF-8 page that shows every value as text, markup included (the Modern page). Every
// character Unicode has is written as itself unless named below; lone surrogates are left to the
// UTF-8 writer, which writes U+FFFD for them.

// HTML text or an attribute value in either quotes: &, <, >, " and ' as &amp; &lt; &gt; &quot;
// &#39;, CR and LF as &#13; and &#10;, and NUL (which HTML drops) as U+FFFD.
void appendEscapedHtml(QString& out, QStringView value);
// As appendEscapedHtml, each line break (CR LF, CR or LF) as <br>.
void appendEscapedLines(QString& out, QStringView value);

// What an address names: a path below the page's folder, whose "/" and "\" separate folders, or
// one file name, which holds no separator.
enum class UrlPart { Path, Name };
// An address in an attribute or a CSS string: every character but ASCII letters and digits,
// "-._~!$()*+,;=@" and a path's "/" percent-encoded from its UTF-8 bytes. A path's "\" becomes
// "/" and the separators it starts with are dropped, so that it stays below the page's folder;
// the colon is encoded, so that no address reads as a scheme.
void appendUrl(QString& out, QStringView value, UrlPart part);

// The text between the double quotes of a CSS string: ", \, < and every control character as a
// CSS escape (\22 and a blank), NUL as \FFFD.
void appendCssString(QString& out, QStringView value);

// The decimal digits of a number appended to `out`.
void appendNumber(QString& out, qint64 number);

}  // namespace torvel
