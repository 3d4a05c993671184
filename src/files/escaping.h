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

// The decimal digits of a number appended to `out`.
void appendNumber(QString& out, qint64 number);

}  // namespace torvel
