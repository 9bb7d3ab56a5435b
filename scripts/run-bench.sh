#!/usr/bin/env bash
# Runs every benchmark of the native build; scratch files go to the build tree.
set -euo pipefail
B=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
B=$(cd "$B" && pwd)
export ZAVODO_BUILD=$B
mkdir -p "$B/bench-scratch"
"$B/native/bench/bench_load_save" "$B/bench-scratch"
"$B/native/bench/bench_keys"
"$B/native/bench/bench_search" "$B/bench-scratch"
# Ctrl+End, Goto Line and Ctrl+Home over 67 million empty lines against wc -l.
"$B/native/bench/bench_walks" "$B/bench-scratch"
# A 1.2 GiB text loaded, edited at its end and saved (2.4 GiB of scratch files at most, removed after).
"$B/native/bench/bench_large_text" "$B/bench-scratch"
# The grid view's painting and scrolling under Wine, when the 64-bit build is there.
if [ -x "$B/win64/bin/bench_grid.exe" ]; then
    "$here/with-wine-session" "$here/wine-run" "$B/win64/bin/bench_grid.exe"
fi
# Start-up to the first painted frame against notepad.exe: on the sample script (median of
# five), and once on a 64 MiB file (notepad takes minutes there).
if [ -x "$B/win64/bin/bench_startup.exe" ]; then
    sample=$here/../samples/DEMO.KSR
    big=$B/bench-scratch/big.ksr
    [ -f "$big" ] || head -c $((48 * 1024 * 1024)) /dev/urandom | base64 -w 78 | sed 's/$/\r/' |
        head -c $((64 * 1024 * 1024)) >"$big"
    (cd "$B/win64/bin" && "$here/with-wine-session" sh -c \
        'wine bench_startup.exe "$(winepath -w ZAVODO.EXE)" "$(winepath -w "$1")" 5 &&
         wine bench_startup.exe "$(winepath -w ZAVODO.EXE)" "$(winepath -w "$2")" 1' sh "$sample" "$big")
fi
