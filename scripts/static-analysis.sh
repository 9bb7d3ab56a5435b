#!/usr/bin/env bash
# Static analysis, part of `make test`: clang-tidy with bug-finding and performance checks over
# the portable code (the native build's compile commands), cppcheck over every source of the
# program and its libraries. Any finding fails; a deliberate case is suppressed where it stands
# (NOLINT / cppcheck-suppress) with its reason.
#   scripts/static-analysis.sh [build root]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
cd "$root" || exit 1
status=0

portable=$(python3 - "$build/native/compile_commands.json" <<'PY'
import json, sys
entries = json.load(open(sys.argv[1]))
print(" ".join(sorted({e["file"] for e in entries
                       if not any(part in e["file"] for part in ("/tests/", "/bench/", "/fuzz/"))})))
PY
) || { echo "static-analysis: no native build ($build/native)" >&2; exit 1; }
checks='-*,bugprone-*,-bugprone-easily-swappable-parameters,performance-*'
if ! clang-tidy -p "$build/native" --quiet --checks="$checks" --warnings-as-errors='*' $portable >"$build/clang-tidy.log" 2>&1; then
    grep -A3 'warning:\|error:' "$build/clang-tidy.log"
    status=1
fi
echo "clang-tidy: $(echo $portable | wc -w) files, $(grep -c 'warning:\|error:' "$build/clang-tidy.log") findings"

sources=$(git ls-files '*.cpp' | grep -v '^tests/\|^fuzz/\|^bench/')
cppcheck --enable=warning,performance,portability --inline-suppr --std=c++17 --library=windows -q -I . \
    -D_WIN32 -DWINAPI= -DCALLBACK= --suppress=missingIncludeSystem --error-exitcode=1 -j2 $sources \
    2>"$build/cppcheck.log" || status=1
cat "$build/cppcheck.log"
echo "cppcheck: $(echo $sources | wc -w) files, $(grep -c '\]$' "$build/cppcheck.log") findings"
exit $status
