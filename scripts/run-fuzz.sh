#!/usr/bin/env bash
# `make fuzz`: every libFuzzer target of the sanitizer build for FUZZ_SECONDS each (default
# 60), from its seed corpus in fuzz/seeds plus the corpus it grew in earlier runs; prints each
# target's executions and the total, and fails when a target finds a crash (its input is left
# in <build>/asan/fuzz/crashes/).
#   scripts/run-fuzz.sh [build root]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
seconds=${FUZZ_SECONDS:-60}
dir=$build/asan/fuzz
# Saves flush to disk; on a memory file system that costs nothing.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
mkdir -p "$dir/crashes"
total=0 failed=0
for target in "$dir"/fuzz_*; do
    [ -x "$target" ] && [ -f "$target" ] || continue
    name=$(basename "$target")
    corpus=$dir/corpus/$name
    mkdir -p "$corpus"
    log=$dir/$name.log
    ASAN_OPTIONS=detect_leaks=1 "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$dir/crashes/$name-" "$corpus" "$root/fuzz/seeds/$name" >"$log" 2>&1
    rc=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    runs=${runs:-0}
    total=$((total + runs))
    if [ $rc = 0 ]; then
        printf '%-26s %12d executions\n' "$name" "$runs"
    else
        printf '%-26s %12d executions  FAILED (see %s)\n' "$name" "$runs" "$log"
        failed=$((failed + 1))
    fi
done
printf '%-26s %12d executions in %d s per target\n' "total" "$total" "$seconds"
[ $failed = 0 ]
