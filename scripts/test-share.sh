#!/usr/bin/env bash
# The size of the tests against the code: lines that are neither blank nor only a comment, in
# the tracked C++, resource, shell, Python and CMake files, the libraries' export definitions, the
# version header's template, the Makefile, the installer script and the scripts without an
# extension; tests/ and fuzz/ on one side, everything else on the other.
#   scripts/test-share.sh
cd "$(dirname "$0")/.." || exit 1
count() {
    xargs -r cat | grep -av '^[[:space:]]*$' | grep -acv '^[[:space:]]*\(;\|//\|#[^a-z]\|#$\|/\*\|\*\)'
}
files() { git ls-files | grep -E '\.(cpp|h|rc|sh|py|cmake|nsi|def|h\.in)$|CMakeLists\.txt$|^Makefile$|^scripts/[^.]*$|^\.ci/run$'; }
tests=$(files | grep '^tests/\|^fuzz/' | count)
code=$(files | grep -v '^tests/\|^fuzz/' | count)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d lines, code %d lines: share %.2f\n", t, c, t / c }'
