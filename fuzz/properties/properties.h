#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

// The properties the fuzz targets check, one function per target taking one input. The libFuzzer
// programs (built with TORVEL_FUZZ=ON and clang) and the replay program of the normal build
// (fuzz/replay.cpp, which plays the kept inputs under ctest) call the same functions. A property
// that does not hold ends the program through fail().

namespace torvel::fuzz {

using OneInput = void (*)(const uint8_t* data, size_t size);

struct Target {
    const char* name;
    OneInput oneInput;
};

// The target of that name, or nullptr.
const Target* findTarget(const char* name);
// Every target's name, separated by blanks (for messages).
QString targetNames();

// Makes what every target needs once per process: the Qt application object (the SQLite driver
// is a plugin that Qt loads through it) and the list of open findings.
void startProcess(int argc, char** argv);

// A folder for the whole process, made on first use and removed when the process ends normally
// (a crash leaves it for inspection). It lies in memory where the system offers one (/dev/shm):
// SQLite writes every statement through to the disk.
QString processFolder();

// Open findings: properties that are known not to hold until a fix in the program lands. When the
// environment variable TORVEL_FUZZ_OPEN_FINDINGS names a file (fuzz/open-findings.txt: one
// property a line, as written in the checks; "#" starts a comment), those properties are reported
// once on standard error and then passed over, so that fuzzing goes on to find other faults and
// the inputs kept for them still replay every other property.
//
// A property that does not hold: aborts with the property and the value that broke it, unless
// it is an open finding.
void violated(const char* property, const QString& detail = QString());
inline void check(bool holds, const char* property, const QString& detail = QString()) {
    if (!holds) {
        violated(property, detail);
    }
}
// Aborts with the property and the value; for failures after which the checks cannot go on.
[[noreturn]] void fail(const char* property, const QString& detail = QString());
// A property the checks after it rely on: never passed over.
inline void require(bool holds, const char* property, const QString& detail = QString()) {
    if (!holds) {
        fail(property, detail);
    }
}
// The open findings that were passed over so far.
QStringList openFindingsSeen();
// A text with every character outside printable ASCII written as \uXXXX, for messages.
QString shown(const QString& text);
QString shown(const QByteArray& bytes);

// Reads the values of one input in order; once it is used up every read gives an empty value.
class InputReader {
public:
    InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool atEnd() const { return at_ >= size_; }
    uint8_t byte();
    // A text: one byte whose low six bits give the length and whose high two bits the form, then
    // that many bytes as Latin-1 or UTF-8, or that many UTF-16 code units (two bytes each, any
    // unit, lone surrogates included).
    QString text();
    // Everything left, as UTF-8.
    QString restAsUtf8();

private:
    QByteArray take(size_t n);

    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// The targets.
void colourAndFontValues(const uint8_t* data, size_t size);
void pathHelpers(const uint8_t* data, size_t size);
void scriptLines(const uint8_t* data, size_t size);
void escapingAndEncoding(const uint8_t* data, size_t size);
void pageWriters(const uint8_t* data, size_t size);

}  // namespace torvel::fuzz
