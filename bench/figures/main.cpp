// torvel_figures: the performance figures of docs/performance.md, each measured side by side
// with its floor. `make bench` runs it and turns its JSON into one table
// (scripts/bench_table.py).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <vector>

#include "figures.h"

namespace torvel::bench {

namespace {
QString fromEnvironment(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}
}  // namespace

QString diskFolder() {
    return fromEnvironment("TORVEL_BENCH_DISK", QDir::tempPath());
}

QString tmpfsFolder() {
    return fromEnvironment("TORVEL_BENCH_TMPFS", QStringLiteral("/dev/shm"));
}

int repetitions(int standard) {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("TORVEL_BENCH_REPETITIONS", &ok);
    return ok && n > 0 ? n : standard;
}

void registerFigure(const std::string& name, std::function<void(benchmark::State&)> run, int iterations,
                    int standard, benchmark::TimeUnit unit) {
    benchmark::RegisterBenchmark(name.c_str(), std::move(run))
        ->UseManualTime()
        ->Unit(unit)
        ->Iterations(iterations)
        ->Repetitions(repetitions(standard));
}

namespace {
std::vector<std::function<void()>>& releases() {
    static std::vector<std::function<void()>> all;
    return all;
}
}  // namespace

void onTearDown(std::function<void()> release) {
    releases().push_back(std::move(release));
}

void tearDown() {
    for (auto& release : releases()) {
        release();
    }
    releases().clear();
}

}  // namespace torvel::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    torvel::bench::registerFinishBenchmarks();
    torvel::bench::registerEntryBenchmarks();
    torvel::bench::registerAssetBenchmarks();
    torvel::bench::registerProcessBenchmarks();
    torvel::bench::registerImageBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    torvel::bench::tearDown();
    return 0;
}
