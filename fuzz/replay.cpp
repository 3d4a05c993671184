// torvel_fuzz_replay TARGET PATH...: plays inputs through a fuzz target's properties without
// libFuzzer, in the normal build. A PATH is an input file or a folder whose files (names not
// starting with ".") are all played. Ends with status 1 when there is nothing to play; a property
// that does not hold aborts, unless it is listed as an open finding (see properties.h).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

#include "properties/properties.h"

namespace {

QStringList inputFiles(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile()) {
        return {info.absoluteFilePath()};
    }
    QStringList files;
    if (info.isDir()) {
        const QDir dir(path);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
            files << dir.absoluteFilePath(name);
        }
    }
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    torvel::fuzz::startProcess(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: torvel_fuzz_replay TARGET PATH...\ntargets: %s\n",
                     qPrintable(torvel::fuzz::targetNames()));
        return 2;
    }
    const torvel::fuzz::Target* target = torvel::fuzz::findTarget(argv[1]);
    if (target == nullptr) {
        std::fprintf(stderr, "unknown target %s; targets: %s\n", argv[1],
                     qPrintable(torvel::fuzz::targetNames()));
        return 2;
    }
    QStringList files;
    for (int i = 2; i < argc; ++i) {
        files << inputFiles(QString::fromLocal8Bit(argv[i]));
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "no inputs to play\n");
        return 1;
    }
    for (const QString& file : files) {
        QFile input(file);
        if (!input.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(file));
            return 1;
        }
        const QByteArray bytes = input.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(file));
        target->oneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                         static_cast<size_t>(bytes.size()));
    }
    const QStringList open = torvel::fuzz::openFindingsSeen();
    std::printf("%s: %lld inputs hold every property%s\n", argv[1], static_cast<long long>(files.size()),
                open.isEmpty() ? "" : " but these open findings:");
    for (const QString& property : open) {
        std::printf("  %s\n", qPrintable(property));
    }
    return 0;
}
