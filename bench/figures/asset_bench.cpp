// A 50 MB style asset copied into the CD root's menu folder as a style save does it (copyToMenu:
// through the safe writer, flushed to disk and renamed into place) against `cp` of the same file
// into the same folder, on disk. Each iteration copies onto a removed target. Beside them, for
// where the time goes: `cp` followed by `sync FILE` (a copy that is on the disk when it ends,
// cp_sync_ms), and copyToMenu and `cp` with source and target on tmpfs (tmpfs_program_ms,
// tmpfs_cp_ms). After the timed iterations, the asset is copied once more unchanged, into the
// menu folder and into the style folder, as a later save does: those copies must leave the
// target file as it was (the same inode), and their times are reported as second_ms and
// style_second_ms.
#include <sys/stat.h>

#include <QFile>
#include <QRandomGenerator>
#include <memory>

#include "base/error.h"
#include "benchsupport.h"
#include "figures.h"
#include "files/assetcopy.h"

namespace torvel::bench {

namespace {

constexpr qint64 kAssetBytes = 50 * 1000 * 1000;

// The asset and a CD root in one place (on disk or on tmpfs).
struct Place {
    Folder work;
    Folder disc;
    QString source;

    Place(const QString& base, const QByteArray& bytes) : work(base), disc(base) {
        source = work.file(QStringLiteral("art/background.bmp"));
        QFile f(source);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush()) {
            source.clear();
        }
    }
    QString menuCopy() const { return disc.file(QStringLiteral("Menu/background.bmp")); }
    QString cpCopy() const { return disc.file(QStringLiteral("Menu/background-cp.bmp")); }
};

struct Asset {
    QByteArray bytes;
    std::unique_ptr<Place> disk;
    std::unique_ptr<Place> tmpfs;
    Folder program{diskFolder()};

    Asset() {
        bytes.resize(kAssetBytes);
        QRandomGenerator random(20240601);
        random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        disk = std::make_unique<Place>(diskFolder(), bytes);
        tmpfs = std::make_unique<Place>(tmpfsFolder(), bytes);
    }
};

Asset& asset() {
    static Asset a;
    return a;
}

ino_t inodeOf(const QString& path) {
    struct stat s {};
    return ::stat(QFile::encodeName(path).constData(), &s) == 0 ? s.st_ino : 0;
}

bool holds(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.size() == bytes.size() && f.readAll() == bytes;
}

// copyToMenu onto a removed target; the time, or a negative one when it failed.
double programCopy(const Place& place) {
    QFile::remove(place.menuCopy());
    try {
        return timed([&] { copyToMenu(place.source, place.disc.root()); });
    } catch (const TorvelError&) {
        return -1;
    }
}

// `cp` onto a removed target, and `sync FILE` after it when asked.
double cpCopy(const Place& place, bool sync) {
    QFile::remove(place.cpCopy());
    const Stopwatch clock;
    if (runChild(QStringLiteral("/bin/cp"), {place.source, place.cpCopy()}).exitCode != 0 ||
        (sync && runChild(QStringLiteral("/bin/sync"), {place.cpCopy()}).exitCode != 0)) {
        return -1;
    }
    return clock.seconds();
}

void assetCopy(benchmark::State& state) {
    Asset& a = asset();
    const Place& disk = *a.disk;
    if (disk.source.isEmpty() || a.tmpfs->source.isEmpty()) {
        state.SkipWithError("the asset could not be written");
        return;
    }
    SideBySide times;
    double cpSync = 0;
    double tmpfsProgram = 0;
    double tmpfsCp = 0;
    for (auto _ : state) {
        const double program = programCopy(disk);
        const double cp = cpCopy(disk, false);
        const double synced = cpCopy(disk, true);
        const double onTmpfs = programCopy(*a.tmpfs);
        const double cpOnTmpfs = cpCopy(*a.tmpfs, false);
        if (program < 0 || cp < 0 || synced < 0 || onTmpfs < 0 || cpOnTmpfs < 0) {
            state.SkipWithError("a copy failed");
            return;
        }
        times.add(state, program, cp);
        cpSync += synced;
        tmpfsProgram += onTmpfs;
        tmpfsCp += cpOnTmpfs;
    }
    if (!holds(disk.menuCopy(), a.bytes) || !holds(disk.cpCopy(), a.bytes) ||
        !holds(a.tmpfs->menuCopy(), a.bytes)) {
        state.SkipWithError("a copy does not hold the asset's bytes");
        return;
    }

    // A later save with the asset unchanged: nothing is written.
    const ino_t before = inodeOf(disk.menuCopy());
    const double second = timed([&] { copyToMenu(disk.source, disk.disc.root()); });
    // The style folder: the first save of the style copies the asset there, later ones do not.
    const QString styleCopy = copyToStyleFolder(disk.source, a.program.path(), QStringLiteral("Big"));
    const ino_t styleBefore = inodeOf(styleCopy);
    QString styled;
    const double styleSecond =
        timed([&] { styled = copyToStyleFolder(disk.source, a.program.path(), QStringLiteral("Big")); });
    if (before == 0 || inodeOf(disk.menuCopy()) != before || styled != styleCopy || styleBefore == 0 ||
        inodeOf(styled) != styleBefore || !holds(styled, a.bytes)) {
        state.SkipWithError("an unchanged asset was copied again");
        return;
    }
    times.report(state);
    const double n = static_cast<double>(state.iterations());
    state.counters["cp_sync_ms"] = cpSync * 1000.0 / n;
    state.counters["tmpfs_program_ms"] = tmpfsProgram * 1000.0 / n;
    state.counters["tmpfs_cp_ms"] = tmpfsCp * 1000.0 / n;
    state.counters["second_ms"] = second * 1000.0;
    state.counters["style_second_ms"] = styleSecond * 1000.0;
}

}  // namespace

void registerAssetBenchmarks() {
    registerFigure("asset-copy/50MB", assetCopy, 3, 5);
}

}  // namespace torvel::bench
