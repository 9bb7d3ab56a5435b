#!/usr/bin/env bash
# `make run`: opens ZAVODO.EXE on the sample script. On a working display the editor runs
# there until it is closed; without one it runs on a private Xvfb and leaves a screenshot in
# <build root>/screenshot.png and the sample's first printed page in <build root>/printed-page.png.
#   scripts/run-editor.sh [build root]
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
exe=$build/win64/bin/ZAVODO.EXE
[ -f "$exe" ] || { echo "run-editor: $exe not built (make win64)" >&2; exit 1; }

if [ -n "${DISPLAY:-}" ] && xwininfo -root >/dev/null 2>&1; then
    export ZAVODO_BUILD=$build
    . "$here/wine-env.sh"
    zavodo_ensure_prefix
    cd "$(dirname "$exe")" || exit 1
    arg=$(winepath -w "$root/samples/DEMO.KSR" 2>/dev/null) || arg=
    [ -n "$arg" ] || arg=$root/samples/DEMO.KSR
    wine ZAVODO.EXE "$arg"
    rc=$?
    wineserver -w
    exit $rc
fi

echo "run-editor: no display; running on a private X server for a screenshot and a printed page"
bash "$here/screenshot.sh" "$build" "$build/screenshot.png" || exit 1
bash "$here/print-sample.sh" "$build" "$build/printed-page.png" || echo "run-editor: the sample was not printed" >&2
