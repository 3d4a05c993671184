#!/usr/bin/env python3
"""Turns the JSON of the benchmark programs (build/bench/torvel_figures) into one
table: each figure's program time, its floor's time, their ratio as the median with the lowest
and highest over the repetitions, the target and whether it is met.

    scripts/bench_table.py FIGURES.json [OTHER.json ...]
    scripts/bench_table.py --details FIGURES.json   # every counter's median, figure by figure

The memory figure is judged by its highest repetition (a limit on the peak must hold in every
run). Growth figures (Finish at 10x the entries, an entry save at 5,000 entries against 500) pair the
repetitions of the two sizes in order. Exits 1 when a benchmark failed its own check or a figure
has no result; a target that is missed is shown as "no" and does not change the exit status.
"""

import json
import re
import statistics
import sys

TEMPLATES = ["Standard", "Standard Screenshots", "Extended", "Extended Screenshots", "Modern"]
FINISH_SIZES = [1000, 10000, 100000]


# What Google Benchmark appends to a benchmark's name for its settings.
SETTING = re.compile(r"^(iterations|repeats|min_time|threads):|^(manual_time|real_time|process_time)$")


def base_name(name):
    return "/".join(part for part in name.split("/") if not SETTING.match(part))


def load(paths):
    """Runs by name, each a list of the repetitions' rows in order; and the failures."""
    runs, failures, context = {}, [], None
    for path in paths:
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
        context = context or data.get("context", {})
        for row in data.get("benchmarks", []):
            name = base_name(row.get("run_name", row["name"]))
            if row.get("error_occurred"):
                failures.append(f"{name}: {row.get('error_message', 'failed')}")
                continue
            if row.get("run_type", "iteration") != "iteration":
                continue
            runs.setdefault(name, []).append(row)
    for rows in runs.values():
        rows.sort(key=lambda r: r.get("repetition_index", 0))
    return runs, failures, context


def spread(values, fmt):
    values = sorted(values)
    med = statistics.median(values)
    if len(values) == 1:
        return med, fmt(med)
    return med, f"{fmt(med)} ({fmt(values[0])}–{fmt(values[-1])})"


def ms(value):
    if value >= 100:
        return f"{value:.0f} ms"
    if value >= 1:
        return f"{value:.1f} ms"
    return f"{value * 1000:.0f} µs"


def times(value):
    return f"{value:.2f}×"


def mib(value):
    return f"{value:.1f} MiB"


class Table:
    def __init__(self, runs):
        self.runs = runs
        self.rows = []
        self.missing = []

    def get(self, name):
        rows = self.runs.get(name)
        if not rows and name not in self.missing:
            self.missing.append(name)
        return rows

    def add(self, figure, program, floor, ratio, target, met):
        verdict = "—" if met is None else "yes" if met else "**no**"
        self.rows.append((figure, program, floor, ratio, target, verdict))

    def versus_floor(self, figure, name, limit):
        rows = self.get(name)
        if not rows:
            return
        median, ratio = spread([r["ratio"] for r in rows], times)
        program = statistics.median(r["program_ms"] for r in rows)
        floor = statistics.median(r["floor_ms"] for r in rows)
        self.add(figure, ms(program), ms(floor), ratio, f"≤ {limit:g}×", median <= limit)

    def growth(self, figure, larger, smaller, limit):
        big, small = self.get(larger), self.get(smaller)
        if not big or not small:
            return
        pairs = list(zip(big, small))
        median, ratio = spread([b["program_ms"] / s["program_ms"] for b, s in pairs], times)
        self.add(
            figure,
            ms(statistics.median(b["program_ms"] for b in big)),
            ms(statistics.median(s["program_ms"] for s in small)) + " (smaller)",
            ratio,
            f"≤ {limit:g}×",
            median <= limit,
        )

    def render(self):
        header = ("Figure", "Program", "Floor", "Ratio: median (min–max)", "Target", "Met")
        lines = [header, tuple("---" for _ in header)] + self.rows
        return "\n".join("| " + " | ".join(line) + " |" for line in lines)


def build(runs):
    t = Table(runs)
    for size in FINISH_SIZES:
        for name in TEMPLATES:
            t.versus_floor(f"Finish, {name}, {size:,} entries", f"finish/{name}/{size}", 2)
    for name in TEMPLATES:
        for small, big in zip(FINISH_SIZES, FINISH_SIZES[1:]):
            t.growth(f"Finish growth, {name}, {big:,} vs {small:,} entries",
                     f"finish/{name}/{big}", f"finish/{name}/{small}", 11)

    rows = t.get("script-memory/100000")
    if rows:
        # A limit on the peak holds for every run: the highest repetition decides.
        _, peak = spread([r["peak_mib"] for r in rows], mib)
        highest = max(r["peak_mib"] for r in rows)
        floor = statistics.median(r["floor_peak_mib"] for r in rows)
        t.add("torvel-script peak memory, 100,000 entries, Load + Finish (highest decides)",
              f"{peak}; highest {highest * 1.048576:.1f} MB", mib(floor) + " (empty script)", "—",
              "≤ 40 MB, read as MiB", highest <= 40)

    t.growth("Entry save, 5,000 vs 500 entries (tmpfs)", "entry-save/5000", "entry-save/500", 1.2)
    for size in (500, 5000):
        t.versus_floor(f"Entry save vs bare insert, {size:,} entries", f"entry-save/{size}", 2)
    t.versus_floor("Start-up to first drawn window vs bare Qt window", "start-up", 1.5)
    t.versus_floor("Style asset, 50 MB, copyToMenu vs cp", "asset-copy/50MB", 1.2)
    rows = t.get("asset-copy/50MB")
    if rows:
        _, second = spread([r["second_ms"] for r in rows], ms)
        _, style = spread([r["style_second_ms"] for r in rows], ms)
        t.add("Style asset unchanged, second save (menu folder; style folder)", f"{second}; {style}",
              "—", "—", "not copied again", True)

    t.versus_floor("ISO image of a 2 GB CD root vs xorriso", "iso-image/2GB", 1.2)
    rows = t.get("iso-image/2GB")
    if rows:
        _, ratio = spread([r["program_ms"] / r["mkisofs_ms"] for r in rows], times)
        t.add("ISO image of a 2 GB CD root vs `xorriso -as mkisofs` (no flush to disk)",
              ms(statistics.median(r["program_ms"] for r in rows)),
              ms(statistics.median(r["mkisofs_ms"] for r in rows)), ratio, "—", None)

    return t


def details(runs):
    """The median of every counter of every figure over its repetitions."""
    skip = {"iterations", "repetitions", "repetition_index", "threads", "family_index",
            "per_family_instance_index", "cpu_time", "real_time"}
    for name, rows in sorted(runs.items()):
        counters = sorted(k for k, v in rows[0].items()
                          if isinstance(v, (int, float)) and not isinstance(v, bool) and k not in skip)
        values = ", ".join(f"{k}={statistics.median(r[k] for r in rows):.4g}" for k in counters)
        print(f"{name} ({len(rows)} repetitions): {values}")


def main(argv):
    if len(argv) >= 3 and argv[1] == "--details":
        details(load(argv[2:])[0])
        return 0
    if len(argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    runs, failures, context = load(argv[1:])
    table = build(runs)
    if context:
        print(f"{context.get('host_name', '')}: {context.get('num_cpus', '?')} CPUs at "
              f"{context.get('mhz_per_cpu', '?')} MHz, load average "
              f"{', '.join(f'{x:.2f}' for x in context.get('load_avg', []))} at the start\n")
    print(table.render())
    for failure in failures:
        print(f"FAILED: {failure}")
    for name in table.missing:
        print(f"MISSING: no result for {name}")
    return 1 if failures or table.missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
