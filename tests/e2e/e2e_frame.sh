#!/usr/bin/env bash
# The frame end to end: ZAVODO.EXE started on a script at a stored placement, the document
# closed with Ctrl+F4, Ctrl+N and Ctrl+W with no document open, a new one drawn as a rubber band with the mouse, Alt+X to leave; checked
# by probe.exe from another process and in QV5.INI afterwards.
#   e2e_frame.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_frame

cp "$e2e_here/../../samples/DEMO.KSR" "$work/DEMO.KSR"
printf '[Kestrel Editor]\r\nStart Size=50 60 850 660\r\n' >"$ini"
start_editor "$(winpath "$work/DEMO.KSR")"
expect "title=Corvanet Editor"
expect "frame=50 60 800 600"
expect "documents=1"
probe state | grep -q '^document=.*DEMO.KSR$' || fail "the script is not open"

# Ctrl+F4 closes the document; with none open (the short menu) Ctrl+N opens a new one, which
# Ctrl+W closes again.
xdotool key ctrl+F4
sleep 1
expect "documents=0"
xdotool key ctrl+n
within 5 eval "probe state | grep -qx documents=1" || fail "Ctrl+N opened no document"
xdotool key ctrl+w
within 5 eval "probe state | grep -qx documents=0" || fail "Ctrl+W did not close the document"

# A rubber band on the empty client area opens a window of exactly the drawn size.
read -r cx cy _ < <(probe state | sed -n 's/^client=//p')
xdotool mousemove $((cx + 40)) $((cy + 30)) mousedown 1
xdotool mousemove $((cx + 120)) $((cy + 90)) mousemove $((cx + 200)) $((cy + 150)) mouseup 1
sleep 1
expect "documents=1"
expect "documentRect=$((cx + 40)) $((cy + 30)) 160 120"
probe state | grep -q '^bar=.* [1-9][0-9]*$' || fail "no action bar"
import -window root "$bin/../e2e_frame.png" 2>/dev/null

# Alt+X leaves and writes the settings, the placement included.
leave
grep -q '^Start Size=50 60 850 660' "$ini" || fail "Start Size not saved: $(cat "$ini")"
grep -q '^ActionBar=1' "$ini" || fail "the settings were not saved"
passed
