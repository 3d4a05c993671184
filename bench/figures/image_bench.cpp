// The ISO image of a 2 GB CD root (four files of 500 MB, written once per run and then read from
// the page cache by both sides, and a few small ones in folders) made as Disc > Make ISO Image
// makes it (scanDisc and writeIsoImage: through the safe writer, flushed to disk and renamed into
// place) against xorriso making the same image of the same folder (`-outdev IMG -volid ... -joliet
// on -map ROOT / -commit`: Rock Ridge and Joliet, written with its own flushes every 16 MiB),
// each onto a removed target in the same folder on disk after a `sync` (untimed), so that neither
// side pays for what the other left to be written. Beside them, for where the time goes:
// `xorriso -as mkisofs -R -J -o` (mkisofs_ms), which writes the image without any flush.
#include <unistd.h>

#include <QFile>
#include <memory>

#include "base/error.h"
#include "benchsupport.h"
#include "disc/isoimage.h"
#include "figures.h"

namespace torvel::bench {

namespace {

constexpr qint64 kFileBytes = 500 * 1000 * 1000;
constexpr int kLargeFiles = 4;
const QString kTitle = QStringLiteral("Software Collection 2026");

struct Root {
    Folder disc{diskFolder()};
    Folder out{diskFolder()};
    bool ready = true;

    Root() {
        QByteArray chunk(8 << 20, Qt::Uninitialized);
        for (int i = 0; i < kLargeFiles && ready; ++i) {
            QFile f(disc.file(QStringLiteral("Setup/part%1.bin").arg(i)));
            ready = f.open(QIODevice::WriteOnly);
            for (qint64 done = 0; ready && done < kFileBytes; done += chunk.size()) {
                chunk.fill(static_cast<char>('a' + i + done / chunk.size() % 20));
                ready = f.write(chunk.constData(), std::min<qint64>(chunk.size(), kFileBytes - done)) > 0;
            }
            ready = ready && f.flush() && ::fsync(f.handle()) == 0;
        }
        for (int i = 0; i < 50 && ready; ++i) {
            QFile f(disc.file(QStringLiteral("Docs/Chapter %1/Read me.txt").arg(i)));
            ready = f.open(QIODevice::WriteOnly) && f.write(QByteArray(3000 + i, 'r')) > 0;
        }
    }
    QString image(const char* name) const { return out.file(QString::fromLatin1(name)); }
};

Root& root() {
    static Root r;
    return r;
}

// Each side starts with nothing of the other's left to put on the disk.
void settle() {
    ::sync();
}

double program(const Root& r) {
    QFile::remove(r.image("torvel.iso"));
    settle();
    try {
        return timed([&] {
            if (!writeIsoImage(scanDisc(r.disc.path()), kTitle, r.image("torvel.iso"),
                               [](qint64, qint64) { return true; })) {
                throw TorvelError(QStringLiteral("cancelled"));
            }
        });
    } catch (const TorvelError&) {
        return -1;
    }
}

double xorriso(const Root& r, const char* image, const QStringList& arguments) {
    QFile::remove(r.image(image));
    settle();
    const ChildRun run = runChild(QStringLiteral(TORVEL_XORRISO), arguments);
    QFile::remove(r.image(image));
    return run.exitCode == 0 ? run.seconds : -1;
}

void image(benchmark::State& state) {
    Root& r = root();
    if (!r.ready) {
        state.SkipWithError("the CD root could not be written");
        return;
    }
    SideBySide times;
    double mkisofs = 0;
    for (auto _ : state) {
        const double ours = program(r);
        const qint64 size = QFileInfo(r.image("torvel.iso")).size();
        QFile::remove(r.image("torvel.iso"));
        const double floor = xorriso(
            r, "xorriso.iso",
            {QStringLiteral("-report_about"), QStringLiteral("SORRY"), QStringLiteral("-outdev"),
             r.image("xorriso.iso"), QStringLiteral("-volid"), QStringLiteral("SOFTWARE_COLLECTION_2026"),
             QStringLiteral("-joliet"), QStringLiteral("on"), QStringLiteral("-map"), r.disc.path(),
             QStringLiteral("/"), QStringLiteral("-commit")});
        const double plain = xorriso(
            r, "mkisofs.iso",
            {QStringLiteral("-as"), QStringLiteral("mkisofs"), QStringLiteral("-quiet"), QStringLiteral("-R"),
             QStringLiteral("-J"), QStringLiteral("-o"), r.image("mkisofs.iso"), r.disc.path()});
        if (ours < 0 || floor < 0 || plain < 0 || size < kLargeFiles * kFileBytes) {
            state.SkipWithError("an image was not written whole");
            return;
        }
        times.add(state, ours, floor);
        mkisofs += plain;
    }
    times.report(state);
    state.counters["mkisofs_ms"] = mkisofs * 1000.0 / static_cast<double>(state.iterations());
}

}  // namespace

void registerImageBenchmarks() {
    registerFigure("iso-image/2GB", image, 1, 5);
}

}  // namespace torvel::bench
