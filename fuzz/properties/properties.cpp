#include "properties.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace torvel::fuzz {

namespace {

const Target kTargets[] = {
    {"values", colourAndFontValues},   {"paths", pathHelpers}, {"script", scriptLines},
    {"escaping", escapingAndEncoding}, {"pages", pageWriters},
};

QStringList openFindings;
QStringList openFindingsPassedOver;

void readOpenFindings() {
    const QByteArray file = qgetenv("TORVEL_FUZZ_OPEN_FINDINGS");
    if (file.isEmpty()) {
        return;
    }
    QFile list(QString::fromLocal8Bit(file));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fail("the list of open findings can be read", list.fileName());
    }
    for (const QString& line : QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'))) {
        const QString property = line.section(QLatin1Char('#'), 0, 0).trimmed();
        if (!property.isEmpty()) {
            openFindings << property;
        }
    }
}

}  // namespace

const Target* findTarget(const char* name) {
    for (const Target& target : kTargets) {
        if (std::strcmp(target.name, name) == 0) {
            return &target;
        }
    }
    return nullptr;
}

QString targetNames() {
    QStringList names;
    for (const Target& target : kTargets) {
        names << QString::fromLatin1(target.name);
    }
    return names.join(QLatin1Char(' '));
}

void startProcess(int argc, char** argv) {
    // Kept for the whole process: the application object needs its arguments to outlive it.
    static int qtArgc = 1;
    static char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        static QCoreApplication* application = new QCoreApplication(qtArgc, qtArgv);
        (void)application;
    }
    readOpenFindings();
}

QString processFolder() {
    static QTemporaryDir* folder = [] {
        const QFileInfo memory(QStringLiteral("/dev/shm"));
        auto* made = memory.isDir() && memory.isWritable()
                         ? new QTemporaryDir(memory.filePath() + QStringLiteral("/torvel-fuzz-XXXXXX"))
                         : new QTemporaryDir();
        require(made->isValid(), "a temporary folder can be made", made->errorString());
        // Removed by hand: destroyed with the other statics, the databases in it would outlive Qt's
        // SQL driver registry.
        std::atexit([] { QDir(processFolder()).removeRecursively(); });
        return made;
    }();
    return folder->path();
}

void violated(const char* property, const QString& detail) {
    const QString name = QString::fromUtf8(property);
    if (!openFindings.contains(name)) {
        fail(property, detail);
    }
    if (!openFindingsPassedOver.contains(name)) {
        openFindingsPassedOver << name;
        std::fprintf(stderr, "OPEN FINDING passed over: %s\n%s\n", property, detail.toUtf8().constData());
    }
}

QStringList openFindingsSeen() {
    return openFindingsPassedOver;
}

void fail(const char* property, const QString& detail) {
    std::fprintf(stderr, "\nPROPERTY FAILED: %s\n", property);
    if (!detail.isEmpty()) {
        std::fprintf(stderr, "%s\n", detail.toUtf8().constData());
    }
    std::fflush(stderr);
    std::abort();
}

QString shown(const QString& text) {
    QString out;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= 0x20 && u < 0x7F && u != u'\\') {
            out += ch;
        } else {
            out += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        }
    }
    return out;
}

QString shown(const QByteArray& bytes) {
    QString out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += QLatin1Char(c);
        } else {
            out += QStringLiteral("\\x%1").arg(uint(b), 2, 16, QLatin1Char('0'));
        }
    }
    return out;
}

uint8_t InputReader::byte() {
    return at_ < size_ ? data_[at_++] : 0;
}

QByteArray InputReader::take(size_t n) {
    const size_t count = std::min(n, size_ - std::min(at_, size_));
    QByteArray bytes(reinterpret_cast<const char*>(data_ + at_), static_cast<qsizetype>(count));
    at_ += count;
    return bytes;
}

QString InputReader::text() {
    if (atEnd()) {
        return QString();
    }
    const uint8_t head = byte();
    const size_t length = head & 0x3F;
    switch (head >> 6) {
        case 1:
            return QString::fromUtf8(take(length));
        case 2: {
            const QByteArray units = take(2 * length);
            QString text;
            for (qsizetype i = 0; i + 1 < units.size(); i += 2) {
                text += QChar(static_cast<char16_t>(static_cast<uint8_t>(units[i]) |
                                                    (static_cast<uint8_t>(units[i + 1]) << 8)));
            }
            return text;
        }
        default:
            return QString::fromLatin1(take(length));
    }
}

QString InputReader::restAsUtf8() {
    return QString::fromUtf8(take(size_));
}

}  // namespace torvel::fuzz
