#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "files/safefile.h"

namespace torvel {

// The Windows-1252 byte of a character, or nothing when the code page cannot hold it. The five
// bytes the code page leaves undefined (81, 8D, 8F, 90, 9D) hold no character.
std::optional<char> toWindows1252(char32_t c);

// Windows-1252 bytes of a text. A character the code page cannot hold, which callers escape
// before handing the text over, is written as an HTML numeric character reference.
QByteArray encodeWindows1252(const QString& text);

// The writer of every generated text file: Windows-1252 bytes with CR LF after every line,
// written through SafeFile. The file takes its new content at close(); a writer that goes away
// before (a failure on the way) leaves the previous file as it was. Failures throw WriteError.
class TextFileWriter {
public:
    explicit TextFileWriter(const QString& path);
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void writeLine(const QString& line);
    // Writes what is buffered and puts the file in place; a failure throws.
    void close();
    const QString& path() const { return file_.target(); }

private:
    void flush();

    SafeFile file_;
    QByteArray buffer_;
};

}  // namespace torvel
