// Figures taken from child processes.
//
// start-up: the time from starting a process to its first drawn window (QT_QPA_PLATFORM=offscreen),
// for the Torvel window started as the program starts it (bench/startup/window.cpp) against a bare
// Qt program showing an empty main window of the same size (bench/startup/bare.cpp), taken in turn.
// Beside them: the bare window showing one label (text_floor_ms), and where each start's time
// went (window_PHASE_ms, bare_PHASE_ms, as the helpers mark their phases).
//
// script-memory: the peak resident memory of torvel-script loading a stored 100,000-entry menu
// (Load, Next through the pages to "Add Files", which lists every entry) and pressing Finish, read
// from the child's resource usage (wait4, ru_maxrss, through bench/figures/peakrss.cpp). Its floor is
// torvel-script playing an empty script in the same program folder: what the runtime takes before any menu is
// read.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "benchsupport.h"
#include "data/clsdata.h"
#include "figures.h"

namespace torvel::bench {

namespace {

const QStringList kOffscreen = {QStringLiteral("QT_QPA_PLATFORM=offscreen")};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One start of a helper: its wall time and the phases it printed, as their own durations, with
// "before main" the time from starting the process to main() (loading and linking the libraries).
struct Start {
    ChildRun run;
    QByteArray size;
    std::map<std::string, double> phases;
};

Start start(const QString& program, const QStringList& arguments, const QString& output) {
    Start s;
    s.run = runChild(program, arguments, output, kOffscreen);
    const QList<QByteArray> lines = readAll(output).split('\n');
    if (s.run.exitCode != 0 || lines.size() < 2) {
        s.run.exitCode = s.run.exitCode == 0 ? -1 : s.run.exitCode;
        return s;
    }
    s.size = lines[0].trimmed();
    double previous = 0;
    for (const QByteArray& item : lines[1].trimmed().split(' ')) {
        const QList<QByteArray> pair = item.split('=');
        if (pair.size() == 2) {
            const double at = pair[1].toDouble();
            s.phases[pair[0].toStdString()] = at - previous;
            previous = at;
        }
    }
    s.phases["before_main"] = s.run.seconds * 1000.0 - previous;
    return s;
}

// Adds a start's phases to the sums of a repetition, named PREFIX_PHASE.
void addPhases(std::map<std::string, double>& sums, const std::string& prefix, const Start& s) {
    for (const auto& [name, ms] : s.phases) {
        sums[prefix + "_" + name] += ms;
    }
}

void startUp(benchmark::State& state) {
    const Folder out;
    const QString printed = out.file(QStringLiteral("start.txt"));
    const QString window = QStringLiteral(TORVEL_STARTUP_WINDOW);
    const QString bare = QStringLiteral(TORVEL_STARTUP_BARE);
    const QStringList programDir = {QStringLiteral(TORVEL_PROGRAM_DIR)};
    // The window's size, for the bare window; these first starts also fill the file caches.
    const Start first = start(window, programDir, printed);
    const QList<QByteArray> size = first.size.split('x');
    if (first.run.exitCode != 0 || size.size() != 2 || size[0].toInt() <= 0 || size[1].toInt() <= 0) {
        state.SkipWithError("the Torvel window was not drawn");
        return;
    }
    const QStringList empty = {QString::fromLatin1(size[0]), QString::fromLatin1(size[1])};
    const QStringList withText = empty + QStringList{QStringLiteral("Some text")};
    start(bare, withText, printed);

    SideBySide times;
    std::map<std::string, double> phases;
    double textFloor = 0;
    for (auto _ : state) {
        // The three programs in turn, each iteration starting with the next one.
        Start torvel;
        Start floor;
        Start text;
        const int turn = static_cast<int>(state.iterations()) % 3;
        for (int k = 0; k < 3; ++k) {
            switch ((turn + k) % 3) {
                case 0:
                    torvel = start(window, programDir, printed);
                    break;
                case 1:
                    floor = start(bare, empty, printed);
                    break;
                default:
                    text = start(bare, withText, printed);
                    break;
            }
        }
        if (torvel.run.exitCode != 0 || floor.run.exitCode != 0 || text.run.exitCode != 0 ||
            torvel.size != first.size || floor.size != first.size || text.size != first.size) {
            state.SkipWithError("a window was not drawn, or not at the Torvel window's size");
            return;
        }
        times.add(state, torvel.run.seconds, floor.run.seconds);
        textFloor += text.run.seconds;
        addPhases(phases, "window", torvel);
        addPhases(phases, "bare", floor);
    }
    times.report(state);
    const double n = static_cast<double>(state.iterations());
    state.counters["text_floor_ms"] = textFloor * 1000.0 / n;
    for (const auto& [name, sum] : phases) {
        state.counters[name + "_ms"] = sum / n;
    }
}

constexpr int kScriptEntries = 100000;

// A program folder with one stored menu of 100,000 entries whose CD root exists, and the two scripts.
struct ScriptMenu {
    ProgramFolder program{diskFolder()};
    Folder disc{diskFolder()};
    QString script;
    QString empty;
    QString output;

    ScriptMenu() {
        {
            clsData data(program.database());
            storeLargeMenu(data, QStringLiteral("Extended Screenshots"), QStringLiteral("A large menu"),
                           disc.root(), kScriptEntries, 50);
        }
        script = program.file(QStringLiteral("finish.script"));
        QFile s(script);
        if (s.open(QIODevice::WriteOnly)) {
            s.write(
                "# Load the stored menu, go on to Add Files (every entry listed), press Finish.\n"
                "click cmdEdit\n"
                "click cmdLoad\n"
                "click cmdNext\n"
                "click cmdNext\n"
                "click cmdNext\n"
                "click Finish\n");
        }
        empty = program.file(QStringLiteral("empty.script"));
        QFile e(empty);
        if (e.open(QIODevice::WriteOnly)) {
            e.write("# nothing\n");
        }
        output = program.file(QStringLiteral("transcript.txt"));
    }
};

void scriptMemory(benchmark::State& state) {
    static ScriptMenu m;
    const QString runner = QStringLiteral(TORVEL_PROGRAM_DIR "/torvel-script");
    const QStringList folder = {QStringLiteral("--program-dir"), m.program.path()};
    SideBySide times;
    long peak = 0;
    long floorPeak = 0;
    for (auto _ : state) {
        QFile::remove(m.disc.file(QStringLiteral("Index.htm")));
        const ChildRun finish = runMeasured(runner, folder + QStringList{m.script}, m.output);
        const QByteArray transcript = readAll(m.output);
        const ChildRun idle = runMeasured(runner, folder + QStringList{m.empty}, m.output);
        // Finish must have reported success and written the whole page.
        const QByteArray page = readAll(m.disc.file(QStringLiteral("Index.htm")));
        if (finish.exitCode != 0 || idle.exitCode != 0 ||
            !transcript.contains("Your Menu has been successfully created!") ||
            !page.contains("Program " + QByteArray::number(kScriptEntries - 1) + "<")) {
            state.SkipWithError(qPrintable(QStringLiteral("the script did not finish the menu: ") +
                                           QString::fromUtf8(transcript.left(2000))));
            return;
        }
        times.add(state, finish.seconds, idle.seconds);
        peak = std::max(peak, finish.maxRssKiB);
        floorPeak = std::max(floorPeak, idle.maxRssKiB);
    }
    times.report(state);
    state.counters["peak_mib"] = mebibytes(peak);
    state.counters["floor_peak_mib"] = mebibytes(floorPeak);
}

}  // namespace

void registerProcessBenchmarks() {
    registerFigure("start-up", startUp, 4, 7);
    registerFigure("script-memory/100000", scriptMemory, 1, 5);
}

}  // namespace torvel::bench
