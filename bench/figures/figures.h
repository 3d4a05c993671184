#pragma once

// The figures of docs/performance.md, one file each, registered by the program's main().
#include <benchmark/benchmark.h>

#include <QString>
#include <functional>
#include <string>

namespace torvel::bench {

// Where the menus' files go: a folder on disk for Finish and asset copies (TORVEL_BENCH_DISK,
// default the system's temporary folder) and a folder on tmpfs for entry saves
// (TORVEL_BENCH_TMPFS, default /dev/shm).
QString diskFolder();
QString tmpfsFolder();

// The repetitions of a figure: `standard`, or TORVEL_BENCH_REPETITIONS when set (a quick run).
int repetitions(int standard);

// Registers a figure timed by hand (SideBySide): so many iterations per repetition, `standard`
// repetitions (see repetitions()), shown in milliseconds unless another unit is given.
void registerFigure(const std::string& name, std::function<void(benchmark::State&)> run, int iterations,
                    int standard, benchmark::TimeUnit unit = benchmark::kMillisecond);

// The menus and folders that benchmarks keep between their repetitions are released by main()
// before it returns, while Qt's database connections still exist.
void onTearDown(std::function<void()> release);
void tearDown();

void registerFinishBenchmarks();
void registerEntryBenchmarks();
void registerAssetBenchmarks();
void registerProcessBenchmarks();
void registerImageBenchmarks();

}  // namespace torvel::bench
