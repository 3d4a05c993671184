#include "files/textfile.h"

#include <algorithm>
#include <cstring>

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

namespace {

// The slow road, for the rest of a text once a character outside Latin-1's direct range shows.
void appendWindows1252Slow(QByteArray& out, QStringView text) {
    forEachCodePoint(text, [&out](char32_t c) {
        if (const auto byte = toWindows1252(c)) {
            out.append(*byte);
        } else {
            char digits[12];
            int n = 0;
            for (uint rest = c; rest != 0 || n == 0; rest /= 10) {
                digits[n++] = static_cast<char>('0' + rest % 10);
            }
            out.append("&#");
            while (n > 0) {
                out.append(digits[--n]);
            }
            out.append(';');
        }
    });
}

}  // namespace

void appendWindows1252(QByteArray& out, QStringView text) {
    // Nearly every character of a page is ASCII or Latin-1, whose code points are their bytes:
    // those are copied in one pass into room made once, ASCII four units at a time.
    const qsizetype start = out.size();
    const qsizetype n = text.size();
    out.resize(start + n);
    char* const to = out.data() + start;
    const char16_t* const units = text.utf16();
    qsizetype i = 0;
    while (i < n) {
        for (quint64 four; i + 4 <= n; i += 4) {
            std::memcpy(&four, units + i, sizeof four);
            if ((four & 0xFF80FF80FF80FF80ULL) != 0) {
                break;
            }
            to[i] = static_cast<char>(units[i]);
            to[i + 1] = static_cast<char>(units[i + 1]);
            to[i + 2] = static_cast<char>(units[i + 2]);
            to[i + 3] = static_cast<char>(units[i + 3]);
        }
        for (const qsizetype stop = std::min(i + 4, n); i < stop; ++i) {
            const char16_t u = units[i];
            if (u >= 0x80 && (u < 0xA0 || u > 0xFF)) {
                out.resize(start + i);
                appendWindows1252Slow(out, text.sliced(i));
                return;
            }
            to[i] = static_cast<char>(u);
        }
    }
}

QByteArray encodeWindows1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    appendWindows1252(out, text);
    return out;
}

void appendUtf8(QByteArray& out, QStringView text) {
    // ASCII, nearly all of a page, is copied one unit to one byte; the rest code point by code point.
    const qsizetype n = text.size();
    const char16_t* const units = text.utf16();
    out.reserve(out.size() + n);
    qsizetype i = 0;
    while (i < n) {
        const qsizetype from = i;
        while (i < n && units[i] < 0x80) {
            ++i;
        }
        if (i > from) {
            const qsizetype start = out.size();
            out.resize(start + (i - from));
            std::copy(units + from, units + i, out.data() + start);
        }
        if (i == n) {
            break;
        }
        const char32_t c = codePointAt(text, i);
        ++i;
        if (c < 0x800) {
            out.append(static_cast<char>(0xC0 | (c >> 6)));
        } else if (c < 0x10000) {
            out.append(static_cast<char>(0xE0 | (c >> 12)));
            out.append(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        } else {
            out.append(static_cast<char>(0xF0 | (c >> 18)));
            out.append(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.append(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        }
        out.append(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

TextFileWriter::TextFileWriter(const QString& path, const QString& twinPath, TextEncoding encoding,
                               QByteArray* capture)
    : path_(path),
      capture_(capture),
      twinPath_(capture != nullptr ? QString() : twinPath),
      encoding_(encoding) {
    if (capture_ == nullptr) {
        file_.emplace(path);
    }
    buffer_.reserve(kFlushSize + 4096);
}

// The twin follows the main file step by step; its temporary file is made when the first bytes
// have reached the main file's.
template <typename Step>
void TextFileWriter::onTwin(Step step) {
    if (twinPath_.isEmpty() || twinFailure_) {
        return;
    }
    try {
        if (!twin_) {
            twin_.emplace(twinPath_);
        }
        step(*twin_);
    } catch (const WriteError& e) {
        twinFailure_ = e.reason();
        twin_.reset();
    }
}

void TextFileWriter::writeLine(QStringView line) {
    if (encoding_ == TextEncoding::Utf8) {
        appendUtf8(buffer_, line);
    } else {
        appendWindows1252(buffer_, line);
    }
    buffer_.append("\r\n");
    if (buffer_.size() >= kFlushSize) {
        flush();
    }
}

void TextFileWriter::writeLine(QLatin1StringView line) {
    buffer_.append(line.data(), line.size());
    buffer_.append("\r\n");
    if (buffer_.size() >= kFlushSize) {
        flush();
    }
}

void TextFileWriter::flush() {
    if (capture_ != nullptr) {
        capture_->append(buffer_);
    } else if (!buffer_.isEmpty()) {
        file_->write(buffer_);
        onTwin([this](SafeFile& twin) { twin.write(buffer_); });
    }
    buffer_.resize(0);
}

void TextFileWriter::close() {
    flush();
    if (file_) {
        file_->commit();
    }
    onTwin([](SafeFile& twin) { twin.commit(); });
}

}  // namespace torvel
