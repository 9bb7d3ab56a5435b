#!/usr/bin/env bash
# Runs every test suite of the four builds, the release check and a quick run of every
# benchmark; exits non-zero when any suite failed.
set -u
B=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
ctest_args=(--output-on-failure -j 2)
failed=()

run_suite() {
    local name=$1
    shift
    echo "== $name =="
    if ! "$@"; then failed+=("$name"); fi
}

run_suite native sh -c "cd '$B/native' && ctest ${ctest_args[*]}"
run_suite asan sh -c "cd '$B/asan' && ctest ${ctest_args[*]}"
run_suite win64 "$here/with-wine-session" sh -c "cd '$B/win64' && ctest ${ctest_args[*]}"
run_suite win32 sh -c "cd '$B/win32' && ctest ${ctest_args[*]}"
# The release packed from the win32 build and checked, then installed and removed under Wine.
run_suite dist sh -c "bash '$here/../tests/dist/check-dist.sh' '$B' &&
    bash '$here/../tests/dist/install-under-wine.sh' '$B'"
# Every benchmark on small sizes, so that one that no longer runs through fails here.
run_suite bench-quick bash "$here/run-bench.sh" "$B" --quick
run_suite static-analysis bash "$here/static-analysis.sh" "$B"

if [ ${#failed[@]} -ne 0 ]; then
    echo "FAILED suites: ${failed[*]}"
    exit 1
fi
echo "All suites passed."
