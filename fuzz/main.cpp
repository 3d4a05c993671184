// The fuzz programs. Built with TORVEL_FUZZ_TARGET (TORVEL_FUZZ=ON, clang), the libFuzzer program
// of that target. Built without, torvel_fuzz_replay TARGET PATH..., which plays inputs through a
// target's properties in the normal build: a PATH is an input file or a folder whose files (names
// not starting with ".") are all played. It ends with status 1 when there was nothing to play.
#include <QCoreApplication>
#include <QHash>

#include "properties/properties.h"

namespace {

// Makes the Qt application object (the SQLite driver is a plugin that Qt loads through it) and
// gives the target of that name, or nullptr.
torvel::fuzz::OneInput start(char* program, const QByteArray& target) {
    static int argc = 1;  // the application object needs its arguments for the whole process
    static char* argv[] = {program, nullptr};
    [[maybe_unused]] static auto* application = new QCoreApplication(argc, argv);
    using namespace torvel::fuzz;
    const QHash<QByteArray, OneInput> targets{
        {"values", colourAndFontValues},   {"paths", pathHelpers}, {"script", scriptLines},
        {"escaping", escapingAndEncoding}, {"pages", pageWriters},
    };
    return targets.value(target);
}

}  // namespace

#ifdef TORVEL_FUZZ_TARGET
static torvel::fuzz::OneInput oneInput = nullptr;

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** argv) {
    oneInput = start((*argv)[0], TORVEL_FUZZ_TARGET);
    torvel::fuzz::require(oneInput != nullptr, "the fuzz target is known",
                          QStringLiteral(TORVEL_FUZZ_TARGET));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    oneInput(data, size);
    return 0;
}
#else
int main(int argc, char** argv) {
    const torvel::fuzz::OneInput oneInput = start(argv[0], argc < 3 ? QByteArray() : QByteArray(argv[1]));
    if (oneInput == nullptr) {
        std::fprintf(stderr, "usage: torvel_fuzz_replay values|paths|script|escaping|pages PATH...\n");
        return 2;
    }
    long long played = 0;
    for (int i = 2; i < argc; ++i) {
        const QFileInfo path(QString::fromLocal8Bit(argv[i]));
        for (const QFileInfo& file : path.isFile()
                                         ? QFileInfoList{path}
                                         : QDir(path.filePath()).entryInfoList(QDir::Files, QDir::Name)) {
            QFile input(file.filePath());
            torvel::fuzz::require(input.open(QIODevice::ReadOnly), "an input can be read", file.filePath());
            const QByteArray bytes = input.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(file.filePath()));
            oneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
            ++played;
        }
    }
    std::printf("%s: %lld inputs %s\n", argv[1], played, played > 0 ? "hold every property" : "to play");
    return played > 0 ? 0 : 1;
}
#endif
