#!/usr/bin/env bash
# Runs every benchmark of the native build; scratch files go to the build tree.
set -euo pipefail
B=${1:-build}
mkdir -p "$B/bench-scratch"
"$B/native/bench/bench_load_save" "$B/bench-scratch"
"$B/native/bench/bench_keys"
# The grid view's painting and scrolling under Wine, when the 64-bit build is there.
if [ -x "$B/win64/bin/bench_grid.exe" ]; then
    here=$(cd "$(dirname "$0")" && pwd)
    "$here/with-wine-session" "$here/wine-run" "$B/win64/bin/bench_grid.exe"
fi
