#!/usr/bin/env bash
# Prints the sample script with File > Print through the PostScript test printer (its port a
# file in the private Wine prefix) and turns the first printed page into a PNG.
#   scripts/print-sample.sh [build root] [output png]     (default: <build root>/printed-page.png)
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
out=${2:-$build/printed-page.png}
case $out in /*) ;; *) out=$PWD/$out ;; esac
bin=$build/win64/bin
[ -f "$bin/ZAVODO.EXE" ] && [ -f "$bin/probe.exe" ] || { echo "print-sample: not built (make win64)" >&2; exit 1; }
command -v ps2pdf >/dev/null && command -v gs >/dev/null || { echo "print-sample: ghostscript is needed" >&2; exit 1; }

export ZAVODO_BUILD=$build
. "$here/wine-env.sh"
zavodo_start_display || exit 1
trap 'zavodo_stop_wine; zavodo_stop_display' EXIT
zavodo_ensure_prefix

ps=$WINEPREFIX/printed.ps
drivers=$WINEPREFIX/drive_c/windows/system32/spool/drivers/x64/3
mkdir -p "$drivers" && cp "$root/tests/e2e/test_printer.ppd" "$drivers/ztest.ppd"
(cd "$bin" && wine probe.exe add-printer ZTEST "$ps") >/dev/null 2>&1 || { echo "print-sample: no printer" >&2; exit 1; }
rm -f "$ps" "$WINEPREFIX/drive_c/windows/QV5.INI"  # the default header, footer and margins
sample=$(winepath -w "$root/samples/DEMO.KSR" 2>/dev/null)
(cd "$bin" && exec wine ZAVODO.EXE "$sample") >/dev/null 2>&1 &
(cd "$bin" && wine probe.exe wait 30) >/dev/null 2>&1 || { echo "print-sample: the editor did not start" >&2; exit 1; }
sleep 1
xdotool key --delay 150 alt+f p
sleep 1.5
xdotool key Return
for _ in $(seq 1 100); do
    [ -s "$ps" ] && grep -q '%%EOF' "$ps" && break
    sleep 0.2
done
[ -s "$ps" ] || { echo "print-sample: nothing was printed" >&2; exit 1; }
pdf=$(mktemp --suffix=.pdf)
ps2pdf "$ps" "$pdf" && gs -q -sDEVICE=png16m -r60 -dFirstPage=1 -dLastPage=1 -o "$out" "$pdf"
rc=$?
rm -f "$pdf"
[ $rc = 0 ] && echo "print-sample: first printed page in $out"
exit $rc
