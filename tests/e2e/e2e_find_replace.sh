#!/usr/bin/env bash
# Find and Replace end to end, through the X keyboard: after Replace All, after the last Replace
# of a batch and after Shift+Right on a match found, a typed key changes only the bytes
# highlighted, and with none highlighted it only inserts; a Cut while another program holds
# the clipboard deletes nothing. Each result is checked on disk after F2.
#   e2e_find_replace.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_find_replace

# open_file <name>: the file in the editor (started, or handed the file) as the active document
open_file() {
    if [ -z "$editor" ]; then
        start_editor "$(winpath "$work/$1")"
    else
        (cd "$bin" && wine ZAVODO.EXE "$(winpath "$work/$1")") >/dev/null 2>&1
        sleep 1
    fi
    probe state | grep -q "^active=.*$1\$" || fail "$1 is not the active document"
}
# find_dialog <ctrl+f|ctrl+r> <find text> [replacement]: the dialog open with its fields filled
find_dialog() {
    xdotool key "$1"
    within 10 eval 'probe dialog | grep -q "^dialog=\(Find\|Replace\)"' || fail "no find dialog: $(probe dialog)"
    xdotool key alt+n
    xdotool type --delay 40 "$2"
    if [ $# -ge 3 ]; then
        xdotool key alt+p BackSpace
        [ -n "$3" ] && xdotool type --delay 40 "$3"
    fi
}
# saved_as <file> <expected bytes, printf format>
saved_as() {
    xdotool key F2
    sleep 1
    # shellcheck disable=SC2059
    printf "$2" >"$work/want"
    same_bytes "$work/$1" "$work/want"
}

# Replace All: the caret stands behind the last replacement with nothing selected.
lines=()
for n in $(seq 1 40); do lines+=("foo $n foo"); done
crlf "${lines[@]}" "end" >"$work/ALL.KSR"
open_file ALL.KSR
find_dialog ctrl+r foo quux
xdotool key --delay 200 Return alt+a
sleep 1
xdotool type --delay 40 "!"
want=$(printf 'quux %s quux\\r\\n' $(seq 1 39))
saved_as ALL.KSR "${want}quux 40 quux!\\r\\nend\\r\\n"

# The last Replace of a batch (its Find Next finds nothing more) leaves nothing selected.
crlf "ab" "cd ab" "ef" >"$work/LAST.KSR"
open_file LAST.KSR
find_dialog ctrl+r ab ""
xdotool key --delay 300 Return alt+r alt+r Escape
sleep 1
xdotool type --delay 40 "!"
saved_as LAST.KSR '\r\ncd !\r\nef\r\n'

# Shift+Right on a match found selects the match and the byte behind it.
crlf "xx foo yy" >"$work/SHIFT.KSR"
open_file SHIFT.KSR
find_dialog ctrl+f foo
xdotool key --delay 300 Return Escape
sleep 1
xdotool key shift+Right
xdotool type --delay 40 "!"
saved_as SHIFT.KSR 'xx !yy\r\n'

# Cut while the clipboard is busy: the selection stays.
crlf "keep all" >"$work/CUT.KSR"
open_file CUT.KSR
xdotool key --delay 40 Home shift+End
# (not through probe(): its filter would hold the word back until the hold ends)
(cd "$bin" && wine probe.exe clip-hold 4 >"$work/held" 2>/dev/null &)
within 20 grep -q held "$work/held" || fail "the clipboard could not be held"
xdotool key ctrl+x
sleep 5
saved_as CUT.KSR 'keep all\r\n'
xdotool key ctrl+x
sleep 0.5
saved_as CUT.KSR '\r\n'
[ "$(probe clip-text)" = 'keep all' ] || fail "the cut text is not on the clipboard: $(probe clip-text)"
passed
