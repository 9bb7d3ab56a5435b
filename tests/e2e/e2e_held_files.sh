#!/usr/bin/env bash
# Files another program has open. One held without sharing is refused with message 300 and no
# document window, from the command line, from a second start handing it over and from File >
# Open, and keeps its bytes. A log held open for writing but shared opens with its text, so a
# save after the other program let go keeps that text.
#   e2e_held_files.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_held_files

# hold <file> <sharing> <seconds>: probe.exe keeps the file open in the background.
hold() {
    background held hold "$(winpath "$1")" "$2" "$3"
    holder=$!
}
let_go() {
    kill "$holder" 2>/dev/null
    wait "$holder" 2>/dev/null
}
refused() {  # refused <file name>: message 300 names the file; Enter closes it
    within 10 eval "probe dialog | grep -qi '^text=Cannot open file - .*$1\$'" || fail "no message 300 for $1: $(probe dialog)"
    xdotool key Return
    within 5 dialog_has '^dialogs=0' || fail "the message stays"
    expect "documents=0"
}

crlf "first line" "second line" >"$work/LOCKED.KSR"
cp "$work/LOCKED.KSR" "$work/locked-before"
crlf "log one" "log two" >"$work/LOG.KSR"
printf '[paths]\r\nScripts=%s\r\n' "$(winpath "$work")" >"$ini"

hold "$work/LOCKED.KSR" - 120
start_editor "$(winpath "$work/LOCKED.KSR")"
# The message comes while the frame holds its painting for the opening: it shows the frame first.
expect "visible=1"
refused LOCKED.KSR
# Handed over by a second start; it ends once the running copy has answered.
hand_over "$(winpath "$work/LOCKED.KSR")" &
second=$!
refused LOCKED.KSR
wait "$second" || fail "the second start did not end"
# File > Open, the name typed into the dialog.
xdotool key --delay 200 alt+f o
shows '^dialog=File Open' "open dialog"
xdotool type --delay 40 "LOCKED.KSR"
xdotool key Return
refused LOCKED.KSR
let_go
same_bytes "$work/LOCKED.KSR" "$work/locked-before"

# A log still being written opens with its text; typed and saved after the writer let go.
hold "$work/LOG.KSR" rw 120
hand_over "$(winpath "$work/LOG.KSR")" || fail "the second start with the log did not end"
expect "documents=1"
let_go
xdotool type --delay 40 "x"
saved "$work/LOG.KSR" "xlog one" "log two"
leave
passed
