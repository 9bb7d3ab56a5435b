#!/usr/bin/env bash
# Runs every benchmark of the native build, and those of the 64-bit build under Wine when it is
# there; scratch files go to the build tree.
#   run-bench.sh [build dir] [--quick]
# --quick runs every step on small sizes, in seconds: it shows that each benchmark still runs
# through (make test runs it so), with figures not worth reading.
set -euo pipefail
B=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
B=$(cd "$B" && pwd)
export ZAVODO_BUILD=$B
quick=
if [ "${2:-}" = --quick ]; then
    quick=1
    export ZAVODO_BENCH_QUICK=1
fi
mkdir -p "$B/bench-scratch"
"$B/native/bench/bench_load_save" "$B/bench-scratch"
"$B/native/bench/bench_keys"
"$B/native/bench/bench_search" "$B/bench-scratch"
# Ctrl+End, Goto Line and Ctrl+Home over 67 million empty lines against wc -l.
"$B/native/bench/bench_walks" "$B/bench-scratch"
# Next Error over 10,000 faults: the error file read and each step, against grep -n.
"$B/native/bench/bench_errors" "$B/bench-scratch"
# A 1.2 GiB text loaded, edited at its end and saved (2.4 GiB of scratch files at most, removed after).
"$B/native/bench/bench_large_text" "$B/bench-scratch"
# The grid view's painting and scrolling under Wine, when the 64-bit build is there.
if [ -x "$B/win64/bin/bench_grid.exe" ]; then
    "$here/with-wine-session" "$here/wine-run" "$B/win64/bin/bench_grid.exe"
fi
# Start-up to the first painted frame against notepad.exe: on the sample script (median of
# five), and once on a 64 MiB file (notepad takes minutes there), with the peak working set
# against the file's size. Then keys held down in the editor on that file: Down at its start
# and near its end, Page Down and typing at its end. A quick run starts each once, on 256 KiB.
if [ -x "$B/win64/bin/bench_startup.exe" ]; then
    sample=$here/../samples/DEMO.KSR
    bytes=$((64 * 1024 * 1024)) big=$B/bench-scratch/big.ksr runs=5
    [ -n "$quick" ] && bytes=$((256 * 1024)) big=$B/bench-scratch/big-quick.ksr runs=1
    if [ ! -f "$big" ]; then
        # Lines of 78 base64 characters and CR LF, cut to the size: every stage of the pipeline
        # reads all its input, so none ends early on a closed pipe.
        head -c $((bytes * 3 / 4)) /dev/urandom | base64 -w 78 | sed 's/$/\r/' >"$big.part"
        truncate -s "$bytes" "$big.part"
        mv "$big.part" "$big"
    fi
    # Snapshots a killed editor left in this prefix would open with the recovery dialog.
    (cd "$B/win64/bin" && "$here/with-wine-session" sh -c \
        'rm -rf "$WINEPREFIX/drive_c/windows/QV5RECOV" &&
         wine bench_startup.exe "$(winepath -w ZAVODO.EXE)" "$(winepath -w "$1")" "$3" &&
         wine bench_startup.exe "$(winepath -w ZAVODO.EXE)" "$(winepath -w "$2")" 1 &&
         wine bench_keys_held.exe "$(winepath -w ZAVODO.EXE)" "$(winepath -w "$2")"' sh "$sample" "$big" "$runs")
fi
