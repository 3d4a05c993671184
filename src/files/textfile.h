#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <optional>

#include "files/safefile.h"

namespace torvel {

// The Windows-1252 byte of a character, or nothing when the code page cannot hold it. The five
// bytes the code page leaves undefined (81, 8D, 8F, 90, 9D) hold no character.
std::optional<char> toWindows1252(char32_t c);

// The code point that starts at unit `i` of a text; `i` moves to its last unit. An unpaired
// surrogate reads as U+FFFD.
inline char32_t codePointAt(QStringView text, qsizetype& i) {
    const QChar ch = text[i];
    if (!ch.isSurrogate()) {
        return ch.unicode();
    }
    if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        ++i;
        return QChar::surrogateToUcs4(ch, text[i]);
    }
    return QChar::ReplacementCharacter;
}

// Calls `visit` with every code point of a text, read as codePointAt reads them.
template <typename Visit>
void forEachCodePoint(QStringView text, Visit visit) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        visit(codePointAt(text, i));
    }
}

// Windows-1252 bytes of a text. A character the code page cannot hold, which callers escape
// before handing the text over, is written as an HTML numeric character reference.
QByteArray encodeWindows1252(const QString& text);
void appendWindows1252(QByteArray& out, QStringView text);

// UTF-8 bytes of a text; an unpaired surrogate, which no encoding can hold, is written as U+FFFD.
void appendUtf8(QByteArray& out, QStringView text);

// The encodings of the generated files: the style sheet and the four classic pages are
// Windows-1252, the Modern page is UTF-8.
enum class TextEncoding { Windows1252, Utf8 };

// The writer of every generated text file: its encoding's bytes with CR LF after every line,
// written through SafeFile. The file takes its new content at close(); a writer that goes away
// before (a failure on the way) leaves the previous file as it was. Failures throw WriteError.
class TextFileWriter {
public:
    // With a twin path, the same bytes go to a second file, which takes them at close() too. With
    // `capture`, the bytes are appended there instead and no file is touched.
    explicit TextFileWriter(const QString& path, const QString& twinPath = QString(),
                            TextEncoding encoding = TextEncoding::Windows1252, QByteArray* capture = nullptr);
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void writeLine(QStringView line);
    // A line of plain ASCII, whose bytes are the same in either encoding.
    void writeLine(QLatin1StringView line);
    // Writes what is buffered and puts the file in place; a failure throws.
    void close();
    // Why the twin was not written; a failure of the twin leaves the main file going on.
    const std::optional<QString>& twinFailure() const { return twinFailure_; }
    const QString& path() const { return path_; }

private:
    void flush();
    template <typename Step>
    void onTwin(Step step);

    QString path_;
    std::optional<SafeFile> file_;
    QByteArray* capture_;
    QString twinPath_;
    TextEncoding encoding_;
    std::optional<SafeFile> twin_;
    std::optional<QString> twinFailure_;
    QByteArray buffer_;
};

}  // namespace torvel
