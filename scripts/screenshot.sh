#!/usr/bin/env bash
# Starts ZAVODO.EXE on the sample script on an Xvfb of our own, inside Wine's virtual desktop,
# waits until its frame is up and painted, writes a screenshot and ends everything it started.
#   scripts/screenshot.sh [build root] [output png] [typing]
# Defaults: build, docs/screenshot.png. With "typing" as third argument it first types a line
# at the top of the sample through the X server's keyboard, deletes three characters and takes
# one of them back with Ctrl+Z, so the picture shows editing and undo at work. With "tiled"
# it opens the sample's include file beside it and tiles both through the Window menu. With
# "fault" it opens a copy of the sample with two faults typed into it, compiles it with the
# stand-in compiler and shows the first fault, so the picture shows the colours, the marked
# lines and the fault's message.
# Exits non-zero when the window did not appear.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
out=${2:-$root/docs/screenshot.png}
case $out in /*) ;; *) out=$PWD/$out ;; esac
exe=$build/win64/bin/ZAVODO.EXE
sample=$root/samples/DEMO.KSR
desktop=1024x768
timeout=${ZAVODO_WINDOW_TIMEOUT:-20}

[ -f "$exe" ] || { echo "screenshot: $exe not built (make win64)" >&2; exit 1; }

export ZAVODO_BUILD=$build
. "$here/wine-env.sh"
zavodo_start_display || exit 1
trap 'zavodo_stop_wine; zavodo_stop_display' EXIT
zavodo_ensure_prefix

if [ "${3:-}" = fault ]; then
    copy=$(mktemp -d)
    trap 'zavodo_stop_wine; zavodo_stop_display; rm -rf "$copy"' EXIT
    cp "$root/samples/KESTREL.INC" "$copy/"
    sed -e 's/print "Lift-off!"/print "Lift-off!/' -e 's/window Close(1)/window Close(1/' \
        "$root/samples/DEMO.KSR" >"$copy/DEMO.KSR"
    sample=$copy/DEMO.KSR
fi

# The program's directory as the current one, so the DLLs beside it are found first.
cd "$(dirname "$exe")" || exit 1
# The sample under its Windows name, or its own when winepath cannot say.
arg=$(winepath -w "$sample" 2>/dev/null) || arg=
[ -n "$arg" ] || arg=$sample
args=("$arg")
if [ "${3:-}" = tiled ]; then
    inc=$(winepath -w "$root/samples/KESTREL.INC" 2>/dev/null) || inc=$root/samples/KESTREL.INC
    args+=("$inc")
fi
wine explorer "/desktop=zavodo,$desktop" ZAVODO.EXE "${args[@]}" \
    >/dev/null 2>&1 &

# Wine gives each top-level window an X window of its own title, also inside the desktop.
found=0
for _ in $(seq 1 $((timeout * 4))); do
    if xdotool search --name '^Corvanet Editor' >/dev/null 2>&1; then
        found=1
        break
    fi
    sleep 0.25
done
if [ $found -eq 0 ]; then
    echo "screenshot: no \"Corvanet Editor\" window within ${timeout}s" >&2
    exit 1
fi
# The document window paints after the frame appears.
sleep 2
if [ "${3:-}" = typing ]; then
    xdotool type --delay 60 "; typed under Wine"
    xdotool key --delay 60 Return Delete Delete Delete ctrl+z
    sleep 1
elif [ "${3:-}" = tiled ]; then
    xdotool key --delay 150 alt+w t
    sleep 1
elif [ "${3:-}" = fault ]; then
    # The compiler hands the first fault's line to the editor when it ends.
    xdotool key --delay 150 alt+t c
    for _ in $(seq 1 40); do
        [ -s "$copy/DEMO.ERR" ] && ! xdotool search --name '^KESTREL Compiler' >/dev/null 2>&1 && break
        sleep 0.25
    done
    sleep 2
fi
mkdir -p "$(dirname "$out")"
import -window root -crop "$desktop+0+0" +repage "$out.tmp.png" && mv "$out.tmp.png" "$out" || exit 1
echo "screenshot: $out"
