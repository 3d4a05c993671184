#!/usr/bin/env bash
# Runs each libFuzzer target for a while, one after the other, and keeps every input that fails.
# Arguments: the fuzz build folder, the seconds per target, the target names.
#
# Each target starts from its seed corpus (fuzz/corpus/<target>), its kept inputs
# (fuzz/regressions/<target>) and what earlier runs found (<build>/fuzz/found/<target>), and
# uses fuzz/dict/<target>.dict when there is one. Open findings (fuzz/open-findings.txt) are
# passed over. An input that fails (crash-*, leak-*, timeout-*, oom-*) is copied to
# fuzz/regressions/<target>/, where ctest replays it in the normal build, and the run fails.
set -euo pipefail
build=$1
seconds=$2
shift 2
fuzz_dir=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$build" && pwd)
export TORVEL_FUZZ_OPEN_FINDINGS=$fuzz_dir/open-findings.txt

failed=()
for target in "$@"; do
    program=$build/fuzz/fuzz_$target
    found=$build/fuzz/found/$target
    artifacts=$build/fuzz/artifacts/$target
    mkdir -p "$found" "$artifacts"
    options=(-max_total_time="$seconds" -timeout=25 -print_final_stats=1 -artifact_prefix="$artifacts/")
    [ -f "$fuzz_dir/dict/$target.dict" ] && options+=(-dict="$fuzz_dir/dict/$target.dict")
    corpora=("$found" "$fuzz_dir/corpus/$target")
    [ -d "$fuzz_dir/regressions/$target" ] && corpora+=("$fuzz_dir/regressions/$target")

    echo "=== fuzz_$target for ${seconds}s"
    rm -f "$artifacts"/*
    set +e
    nice -n 10 "$program" "${options[@]}" "${corpora[@]}" 2>&1 | tee "$build/fuzz/$target.log" |
        grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|stat::|Done |OPEN FINDING|PROPERTY FAILED|==[0-9]+==ERROR|SUMMARY)'
    status=${PIPESTATUS[0]}
    set -e
    kept=()
    for input in "$artifacts"/*; do
        [ -f "$input" ] || continue
        mkdir -p "$fuzz_dir/regressions/$target"
        cp "$input" "$fuzz_dir/regressions/$target/"
        kept+=("fuzz/regressions/$target/$(basename "$input")")
    done
    if [ "$status" -ne 0 ] || [ ${#kept[@]} -gt 0 ]; then
        failed+=("$target (status $status; kept: ${kept[*]:-nothing}; log: $build/fuzz/$target.log)")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found failures:"
    printf '  %s\n' "${failed[@]}"
    exit 1
fi
echo "Fuzzing found no failures in: $*"
