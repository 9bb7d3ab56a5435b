#!/usr/bin/env bash
# The clipboard against another program: text copied in Wine's notepad.exe pastes here with
# LF line ends only (saved, each is one CR LF); text copied here pastes in notepad with CR LF.
#   e2e_clipboard.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_clipboard

notepad=
start_notepad() {
    wine notepad.exe >/dev/null 2>&1 &
    notepad=$!
    # typed keys go to the X window with the focus: wait until that is notepad's
    within 10 eval 'xdotool getwindowfocus getwindowname 2>/dev/null | grep -q Notepad' ||
        fail "notepad did not start"
    sleep 0.5
}
stop_notepad() {  # leaves without saving
    kill "$notepad" 2>/dev/null
    wait "$notepad" 2>/dev/null
}

probe clip-clear
start_notepad
xdotool type --delay 40 $'one\ntwo'
xdotool key --delay 40 ctrl+a ctrl+c
sleep 0.5
[ "$(probe clip-text)" = 'one\r\ntwo' ] || fail "notepad's copy: $(probe clip-text)"
stop_notepad

: >"$work/P.KSR"
start_editor "$(winpath "$work/P.KSR")"
xdotool key --delay 60 ctrl+v F2
sleep 1
printf 'one\r\ntwo' >"$work/want"
same_bytes "$work/P.KSR" "$work/want"

# Everything selected and copied here: notepad's edit control receives CR LF line ends.
probe clip-clear
xdotool key --delay 60 ctrl+Home shift+ctrl+End ctrl+c
sleep 0.5
[ "$(probe clip-text)" = 'one\r\ntwo' ] || fail "the editor's copy: $(probe clip-text)"
start_notepad
xdotool key --delay 60 ctrl+v
sleep 0.5
[ "$(probe child-text Notepad Edit)" = 'one\r\ntwo' ] || fail "notepad's paste: $(probe child-text Notepad Edit)"
stop_notepad
passed
