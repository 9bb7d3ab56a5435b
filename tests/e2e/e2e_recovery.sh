#!/usr/bin/env bash
# Never losing work, end to end: text typed into a document is kept as a recovery copy once the
# typing rests; after every Wine process of the prefix is killed, the next start offers it (a
# cut copy beside it is named and skipped) and Recover brings back exactly what was typed, saved
# where it belongs. A file rewritten by another program asks when its window is activated again;
# Yes shows the new text and Undo brings back the old. Recovered at a start without files, the
# documents come back with no empty one added.
#   e2e_recovery.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_recovery
folder=$WINEPREFIX/drive_c/windows/QV5RECOV
copies() { ls "$folder" 2>/dev/null | sort | tr '\n' ' '; }

crlf "alpha" >"$work/A.KSR"
start_editor "$(winpath "$work/A.KSR")"
xdotool type --delay 40 "typed "
sleep 4  # the default 2 s of rest, then the timer's next tick
copy=$(ls "$folder"/*.ZVR 2>/dev/null | head -1)
[ -n "$copy" ] || fail "no recovery copy after the typing rested"
has_lines "$work/A.KSR" "alpha"  # the file itself is untouched

crash
head -c 20 "$copy" >"$folder/CUT.ZVR"

start_editor "$(winpath "$work/A.KSR")"
shows '^dialog=Recover Documents$' "recovery dialog"
shows '^text=Skipped CUT.ZVR - the file is cut short$' "word of the cut copy"
xdotool key Return  # Recover, the default button, with the good copy selected
sleep 1
probe dialog | grep -q '^dialog=Recover Documents' && fail "the recovery dialog stayed"
expect "documents=1"  # the command line's file is the recovered document
expect_active A.KSR
[ -f "$copy" ] || fail "the recovered copy went before the document was saved"
saved "$work/A.KSR" "typed alpha"
[ "$(copies)" = "CUT.ZVR " ] || fail "saving did not remove the recovered copy: $(copies)"

# Another program rewrites A while B is active; activating A asks once, Yes reloads.
crlf "beta" >"$work/B.KSR"
open_file "$work/B.KSR"
crlf "from outside" "second line" >"$work/A.KSR"
xdotool key ctrl+F6
expect_active A.KSR
shows '^text=Another program has changed this file' question
xdotool key y
sleep 1
probe dialog | grep -q '^text=Another program' && fail "the question stayed"
# The window shows the new text (copied out whole); Undo brings the old one back, which Save
# then writes over the other program's.
probe clip-clear
xdotool key --delay 60 ctrl+Home ctrl+shift+End ctrl+c
within 5 eval '[ "$(probe clip-text)" = "from outside\r\nsecond line\r\n" ]' || fail "not reloaded: $(probe clip-text)"
xdotool key --delay 60 ctrl+z
saved "$work/A.KSR" "typed alpha"
# Activating A again after its own saves asks nothing.
xdotool key --delay 500 ctrl+F6 ctrl+F6
sleep 1
probe dialog | grep -q '^text=Another program' && fail "asked about the editor's own save"

# Another crash with A and B modified; a start that names no file brings back both and no empty
# untitled document: the copy recovered last (the list runs in file-name order) is active.
xdotool type --delay 40 "again "
xdotool key ctrl+F6
sleep 1
xdotool type --delay 40 "more "
sleep 4
last=$(ls "$folder" | grep -v '^CUT.ZVR$' | LC_ALL=C sort | tail -1)
[ "$(ls "$folder" | wc -l)" = 3 ] || fail "not one copy each for A and B: $(copies)"
want=A.KSR
grep -aq 'B\.KSR' "$folder/$last" && want=B.KSR
crash
start_editor
shows '^dialog=Recover Documents$' "recovery dialog"
xdotool key Return
sleep 1
expect "documents=2"
expect_active "$want"  # recovered last
xdotool key --delay 300 F2 ctrl+F6 F2
sleep 1
has_lines "$work/A.KSR" "again typed alpha"
has_lines "$work/B.KSR" "more beta"
leave
[ "$(copies)" = "CUT.ZVR " ] || fail "copies left after a clean end: $(copies)"
passed
