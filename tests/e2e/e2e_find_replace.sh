#!/usr/bin/env bash
# Find and Replace end to end, through the X keyboard: after Replace All, after the last Replace
# of a batch and after Shift+Right on a match found, a typed key changes only the bytes
# highlighted, and with none highlighted it only inserts; Find Up and Wrap Around, and F3 and
# Shift+F3 after them; a Cut while another program holds the clipboard deletes nothing. Each
# result is checked on disk after F2.
#   e2e_find_replace.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_find_replace

# find_dialog <ctrl+f|ctrl+r> <find text> [replacement]: the dialog open with its fields filled
find_dialog() {
    xdotool key "$1"
    shows '^dialog=\(Find\|Replace\)' "find dialog"
    xdotool key alt+n
    xdotool type --delay 40 "$2"
    if [ $# -ge 3 ]; then
        xdotool key alt+p BackSpace
        [ -n "$3" ] && xdotool type --delay 40 "$3"
    fi
}

# Replace All: the caret stands behind the last replacement with nothing selected.
lines=()
for n in $(seq 1 40); do lines+=("foo $n foo"); done
crlf "${lines[@]}" "end" >"$work/ALL.KSR"
start_editor "$(winpath "$work/ALL.KSR")"
find_dialog ctrl+r foo quux
xdotool key --delay 200 Return alt+a
sleep 1
xdotool type --delay 40 "!"
want=("${lines[@]//foo/quux}")
want[39]+="!"
saved "$work/ALL.KSR" "${want[@]}" end

# The last Replace of a batch (its Find Next finds nothing more) leaves nothing selected.
crlf "ab" "cd ab" "ef" >"$work/LAST.KSR"
open_file "$work/LAST.KSR"
find_dialog ctrl+r ab ""
xdotool key --delay 300 Return alt+r alt+r Escape
sleep 1
xdotool type --delay 40 "!"
saved "$work/LAST.KSR" "" "cd !" ef

# Shift+Right on a match found selects the match and the byte behind it.
crlf "xx foo yy" >"$work/SHIFT.KSR"
open_file "$work/SHIFT.KSR"
find_dialog ctrl+f foo
xdotool key --delay 300 Return Escape
sleep 1
xdotool key --delay 40 shift+Right exclam
saved "$work/SHIFT.KSR" "xx !yy"

# Find Up with Wrap Around, both kept in QV5.INI: from the view's end up to the first match,
# then round the start to the last one, which the status line tells and a typed key replaces.
crlf "ab 1" "ab 2" "ab 3" >"$work/UP.KSR"
open_file "$work/UP.KSR"
find_dialog ctrl+f ab
xdotool key --delay 300 alt+u alt+o Return Return Return Return
says "Search passed the start of the text; continued from the end."
xdotool key Escape
sleep 1
xdotool type --delay 40 "X"
saved "$work/UP.KSR" "ab 1" "ab 2" "X 3"
grep -q '^FindUp=1' "$ini" && grep -q '^FindWrap=1' "$ini" || fail "direction and wrap not kept: $(cat "$ini")"
# F3 goes up again (line 2); Shift+F3 goes down, round the end to line 1, where Ctrl+L's caret
# stands with nothing selected.
xdotool key --delay 300 F3 shift+F3
says "Search passed the end of the text; continued from the start."
xdotool type --delay 40 "Y"
saved "$work/UP.KSR" "Yab 1" "ab 2" "X 3"

# Cut while the clipboard is busy: the selection stays.
crlf "keep all" >"$work/CUT.KSR"
open_file "$work/CUT.KSR"
xdotool key --delay 40 Home shift+End
background held clip-hold 4
xdotool key ctrl+x
sleep 5
saved "$work/CUT.KSR" "keep all"
xdotool key ctrl+x
sleep 0.5
saved "$work/CUT.KSR" ""
[ "$(probe clip-text)" = 'keep all' ] || fail "the cut text is not on the clipboard: $(probe clip-text)"
passed
