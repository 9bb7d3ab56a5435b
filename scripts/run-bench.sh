#!/usr/bin/env bash
# Runs every benchmark of the native build; scratch files go to the build tree.
set -euo pipefail
B=${1:-build}
mkdir -p "$B/bench-scratch"
"$B/native/bench/bench_load_save" "$B/bench-scratch"
"$B/native/bench/bench_keys"
