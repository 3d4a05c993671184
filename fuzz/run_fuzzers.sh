#!/usr/bin/env bash
# run_fuzzers.sh BUILD SECONDS TARGET...: runs each libFuzzer target of the fuzz build for SECONDS,
# one after the other, from its seeds, its kept inputs and what earlier runs found, with its
# dictionary, passing over the open findings. An input that fails is copied to
# fuzz/regressions/<target>/, where ctest replays it in the normal build, and the run fails.
set -euo pipefail
fuzz_dir=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)/fuzz
seconds=$2
shift 2
export TORVEL_FUZZ_OPEN_FINDINGS=$fuzz_dir/open-findings.txt

failed=()
for target in "$@"; do
    artifacts=$build/artifacts/$target
    kept_dir=$fuzz_dir/regressions/$target
    corpora=("$build/found/$target" "$fuzz_dir/corpus/$target")
    [ -d "$kept_dir" ] && corpora+=("$kept_dir")
    mkdir -p "$build/found/$target" "$artifacts"
    rm -f "$artifacts"/*
    echo "=== fuzz_$target for ${seconds}s"
    set +e
    nice -n 10 "$build/fuzz_$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" -dict="$fuzz_dir/dict/$target.dict" \
        "${corpora[@]}" 2>&1 |
        tee "$build/$target.log" |
        grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|stat::|Done |OPEN FINDING|PROPERTY FAILED|==[0-9]+==ERROR|SUMMARY)'
    status=${PIPESTATUS[0]}
    set -e
    [ -z "$(ls "$artifacts")" ] || mkdir -p "$kept_dir"  # crash-*, leak-*, timeout-*, oom-*
    kept=$(find "$artifacts" -type f -exec cp {} "$kept_dir/" \; -printf "fuzz/regressions/$target/%f ")
    if [ "$status" -ne 0 ] || [ -n "$kept" ]; then
        failed+=("$target (status $status; kept: ${kept:-nothing}; log: $build/$target.log)")
    fi
done

[ ${#failed[@]} -eq 0 ] || { printf 'Fuzzing found failures:\n'; printf '  %s\n' "${failed[@]}"; exit 1; }
echo "Fuzzing found no failures in: $*"
