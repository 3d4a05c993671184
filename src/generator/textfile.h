#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

namespace torvel {

// The Windows-1252 byte of a character, or nothing when the code page cannot hold it. The five
// bytes the code page leaves undefined (81, 8D, 8F, 90, 9D) hold no character.
std::optional<char> toWindows1252(char32_t c);

// Windows-1252 bytes of a text. A character the code page cannot hold, which callers escape
// before handing the text over, is written as an HTML numeric character reference.
QByteArray encodeWindows1252(const QString& text);

// The writer of every generated text file: created or truncated, written from the start as
// Windows-1252 bytes with CR LF after every line. Failures throw TorvelError naming the file;
// the file is closed with what was written so far when the writer goes away.
class TextFileWriter {
public:
    explicit TextFileWriter(const QString& path);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void writeLine(const QString& line);
    // Writes what is buffered and closes the file; a failure throws.
    void close();
    const QString& path() const { return path_; }

private:
    void flush();
    [[noreturn]] void fail(const QString& what);

    QString path_;
    QFile file_;
    QByteArray buffer_;
};

}  // namespace torvel
