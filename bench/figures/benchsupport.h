#pragma once

// What the figure benchmarks share: program folders with a fresh Torvel.dat, large menus stored
// in one statement, a clock, child processes, and the counters every figure reports (the
// program's time, its floor's time and their ratio, taken side by side in the same iterations).
#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>

namespace torvel {
class clsData;
}

namespace torvel::bench {

// Seconds on the steady clock between two points.
class Stopwatch {
public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

template <typename F>
double timed(F&& f) {
    const Stopwatch clock;
    f();
    return clock.seconds();
}

// A temporary folder below `base` (the system's temporary folder when empty), removed with the
// object. Aborts the benchmark when it cannot be made.
class Folder {
public:
    explicit Folder(const QString& base = QString());
    QString path() const { return dir_.path(); }
    // A path below the folder; folders on the way are made.
    QString file(const QString& relative) const;
    // The folder in the platform's form, ending in a separator (a CD root as the wizard holds it).
    QString root() const;

private:
    QTemporaryDir dir_;
};

// A program folder: a fresh Torvel.dat made from the schema, and AUTORUN.INF and Start.exe as
// the build installs them beside the program (small stand-ins when the build has none).
class ProgramFolder : public Folder {
public:
    explicit ProgramFolder(const QString& base = QString());
    QString database() const;
};

// Stores a menu and `entries` entries in `categories` categories (in rotation), each with a
// description of three lines holding characters the pages escape, a link below the CD root and
// a screenshot name. One statement, so that setting up 100,000 entries takes well under a second.
qint64 storeLargeMenu(clsData& data, const QString& templateName, const QString& title, const QString& cdRoot,
                      int entries, int categories);

// The same entries for an existing menu.
void storeEntries(clsData& data, qint64 menuId, int entries, int categories);

// A child process that ran to its end: its wall time, its peak resident memory and how it ended.
struct ChildRun {
    double seconds = 0;
    long maxRssKiB = 0;  // only from runMeasured
    int exitCode = -1;   // -1: killed by a signal, or could not be started
};

// Runs a program with its arguments, standard output going to `output` (a file path; /dev/null
// when empty) and standard error to `output` + ".stderr", and `environment` (NAME=VALUE) added
// to this process's environment.
ChildRun runChild(const QString& program, const QStringList& arguments, const QString& output = QString(),
                  const QStringList& environment = {});

// Runs a program as runChild does, through torvel_peak_rss, which reads the program's own peak
// resident memory: a child started by this (large) process would report this process's peak.
ChildRun runMeasured(const QString& program, const QStringList& arguments, const QString& output);

// The program's and its floor's times of one repetition, iteration by iteration.
struct SideBySide {
    double program = 0;
    double floor = 0;
    // One iteration: the program's time becomes the iteration's time.
    void add(benchmark::State& state, double programSeconds, double floorSeconds) {
        state.SetIterationTime(programSeconds);
        program += programSeconds;
        floor += floorSeconds;
    }
    // Counters: program_ms and floor_ms (mean per iteration) and ratio (program / floor).
    void report(benchmark::State& state) const;
};

// The megabytes of a size in KiB.
inline double mebibytes(long kib) {
    return static_cast<double>(kib) / 1024.0;
}

}  // namespace torvel::bench
