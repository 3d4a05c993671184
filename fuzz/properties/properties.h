#pragma once

// The properties the fuzz targets check, one function per target taking one input, and what they
// share. The libFuzzer programs and the replay of the kept inputs under ctest (../main.cpp) call
// the same functions.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QStringView>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

namespace torvel::fuzz {

using OneInput = void (*)(const uint8_t* data, size_t size);
void colourAndFontValues(const uint8_t* data, size_t size);
void pathHelpers(const uint8_t* data, size_t size);
void scriptLines(const uint8_t* data, size_t size);
void escapingAndEncoding(const uint8_t* data, size_t size);
void pageWriters(const uint8_t* data, size_t size);

// A Torvel.dat made from the schema in the folder `name` below a folder of the process, which lies
// in memory where the system offers one (/dev/shm) and is removed when the process ends normally.
QString freshDatabase(const QString& name);

// A property that does not hold aborts with it and the value that broke it, unless it is an open
// finding: a whole line of the file that TORVEL_FUZZ_OPEN_FINDINGS names (fuzz/open-findings.txt),
// reported once and passed over so that fuzzing goes on to find other faults.
void check(bool holds, const char* property, const QString& detail = QString());
// A property the checks after it rely on: never passed over.
void require(bool holds, const char* property, const QString& detail = QString());

// A text with every character outside printable ASCII written as \uXXXX, for messages.
QString shown(const QString& text);
inline QString shown(const QByteArray& bytes) {
    return shown(QString::fromLatin1(bytes));
}

// Reads the values of one input in order; once it is used up every read gives zeros or nothing.
class InputReader {
public:
    InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool atEnd() const { return at_ >= size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    // The next sizeof(T) bytes as they lie in memory.
    template <typename T>
    T raw() {
        const QByteArray bytes = take(sizeof(T)).leftJustified(sizeof(T), '\0');
        T value;
        std::memcpy(&value, bytes.constData(), sizeof(T));
        return value;
    }
    // A text: one byte whose low six bits give the length and whose high two bits the form, then
    // that many bytes as Latin-1 (form 0 or 3) or UTF-8 (1), or that many UTF-16 code units (2;
    // two bytes each, little-endian, any unit, lone surrogates included).
    QString text() {
        if (atEnd()) {
            return QString();
        }
        const uint8_t head = byte();
        if (head >> 6 != 2) {
            const QByteArray bytes = take(head & 0x3F);
            return head >> 6 == 1 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
        }
        const QByteArray units = take(2 * (head & 0x3F));
        QString text(units.size() / 2, Qt::Uninitialized);
        std::memcpy(text.data(), units.constData(), static_cast<size_t>(text.size()) * 2);
        return text;
    }
    // Everything left, as UTF-8.
    QString restAsUtf8() { return QString::fromUtf8(take(size_)); }

private:
    QByteArray take(size_t n) {
        const size_t count = std::min(n, size_ - std::min(at_, size_));
        const auto* start = reinterpret_cast<const char*>(data_ + std::min(at_, size_));
        at_ += count;
        return QByteArray(start, static_cast<qsizetype>(count));
    }

    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace torvel::fuzz
