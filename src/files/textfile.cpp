#include "files/textfile.h"

#include <QStringView>

namespace torvel {

namespace {

// Code points of the bytes 80 to 9F; 0 where the code page defines no character.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr qsizetype kFlushSize = 64 * 1024;

}  // namespace

std::optional<char> toWindows1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

QByteArray encodeWindows1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (char32_t c : QStringView(text).toUcs4()) {
        if (const auto byte = toWindows1252(c)) {
            out.append(*byte);
        } else {
            out.append("&#").append(QByteArray::number(static_cast<uint>(c))).append(';');
        }
    }
    return out;
}

TextFileWriter::TextFileWriter(const QString& path) : file_(path) {}

void TextFileWriter::writeLine(const QString& line) {
    buffer_.append(encodeWindows1252(line)).append("\r\n");
    if (buffer_.size() >= kFlushSize) {
        flush();
    }
}

void TextFileWriter::flush() {
    if (!buffer_.isEmpty()) {
        file_.write(buffer_);
    }
    buffer_.clear();
}

void TextFileWriter::close() {
    flush();
    file_.commit();
}

}  // namespace torvel
