#!/usr/bin/env bash
# One copy in charge, end to end: a second start with a file hands it to the running copy and
# ends; "/N" adds an untitled window there. Then Save As of that untitled document through the
# real save dialog ("NEWFILE" typed, ".ksr" added) and the recent-file list in QV5.INI after Alt+X.
# Files named on a command line, handed over or saved under a new name are listed, newest first.
# "/G" handed over in the middle of typing in a long script moves the caret there. A running
# copy that does not answer is reported, with the file, instead of holding the new start.
#   e2e_instance.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_instance

crlf "first" >"$work/A.KSR"
crlf "second" >"$work/C.KSR"
# The file dialogs start in the "Scripts" folder of section "paths".
printf '[paths]\r\nScripts=%s\r\n' "$(winpath "$work")" >"$ini"
start_editor "$(winpath "$work/A.KSR")"
expect "documents=1"

hand_over "$(winpath "$work/C.KSR")" || fail "the second start did not end by itself"
kill -0 "$editor" 2>/dev/null || fail "the first copy ended"
expect "documents=2"
expect_active C.KSR

hand_over /N || fail "the /N start did not end"
sleep 1
expect "documents=3"
probe state | grep -q '^active=Untitled:1$' || fail "no untitled document after /N"

# Save As through the dialog: File > Save As..., a name without extension, Enter.
xdotool type --delay 40 "saved"
xdotool key --delay 200 alt+f a
shows '^dialog=File Save$' "save dialog"
xdotool type --delay 40 "NEWFILE"
xdotool key Return
sleep 2
saved=$(ls "$work" | grep -i '^newfile\.ksr$') || fail "no NEWFILE.KSR in $work: $(ls "$work")"
has_lines "$work/$saved" "saved"
expect_active NEWFILE.KSR  # titled by its new name

leave
# The handed-over file was listed when it opened, after the one of the first start.
recent=$(grep '^File[1-3]=' "$ini" | tr -d '\r' | sed 's/=.*\\/=/' | tr '\n' ' ')
[ "${recent^^}" = "FILE1=NEWFILE.KSR FILE2=C.KSR FILE3=A.KSR " ] || fail "the recent files: $(cat "$ini")"

# "/G" handed over while the user types in a long script (a working window open): the caret goes
# to that line of the whole text, and the status line says so; a typed Y lands there.
for i in $(seq 1 2000); do printf 'line %06d\r\n' "$i"; done >"$work/BIG.KSR"
start_editor "$(winpath "$work/BIG.KSR")"
xdotool type --delay 40 "x"
hand_over /G1500 "$(winpath "$work/BIG.KSR")" || fail "the /G start did not end by itself"
within 5 eval "status | grep -q '^Line: 1500 '" || fail "the status line does not say line 1500: $(status)"
xdotool key --delay 100 Y F2
sleep 1
sed -n '1p;1500p' "$work/BIG.KSR" | tr -d '\r' | tr '\n' ' ' | grep -qx 'xline 000001 Yline 001500 ' ||
    fail "Y is not at the start of line 1500: $(sed -n '1p;1499,1501p' "$work/BIG.KSR")"
leave

# A running copy that takes no message: a later start waits a few seconds, says so with the
# file it could not hand over, and ends.
background hanging hang 90
(cd "$bin" && exec wine ZAVODO.EXE "$(winpath "$work/A.KSR")") >/dev/null 2>&1 &
editor=$!
within 20 dialog_has '^text=The running editor does not answer' || fail "no word that it does not answer: $(probe dialog)"
probe dialog | grep -qi 'A\.KSR$' || fail "the message does not name A.KSR: $(probe dialog)"
xdotool key Return
wait_exit
passed
