#!/usr/bin/env bash
# Editing end to end, through the X keyboard and mouse: "a.ksr /G12 b.ksr" opens both with b at
# line 12, a typed line saved with F2; Shift selections replaced by typing; a word selected by a
# double click; a read-only file refused with message 301 and left intact; Ctrl+S, Ctrl+A and a
# Ctrl+letter without a command typed into a file holding abc; a 20 MiB file opened
# and edited at its end; leaving asks about the still modified read-only file.
#   e2e_editing.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_editing

lines=()
for n in $(seq 1 30); do lines+=("line $n"); done
crlf "alpha" "beta" >"$work/A.KSR"
crlf "${lines[@]}" >"$work/B.KSR"
start_editor "$(winpath "$work/A.KSR")" /G12 "$(winpath "$work/B.KSR")"
expect "documents=2"
expect_active B.KSR

# The caret stands at the start of line 12: a typed line goes in before it.
xdotool type --delay 40 $'new\n'
saved "$work/B.KSR" "${lines[@]:0:11}" "new" "${lines[@]:11}"

# Shift+End then Shift+Down from the start of line 12 ("line 12" and the next line's start):
# typing replaces the selection.
xdotool key --delay 40 Up Home shift+End X Down Home shift+Down Y
saved "$work/B.KSR" "${lines[@]:0:11}" "X" "Yline 13" "${lines[@]:13}"

# A double click on "line" of the top row selects the word; typing replaces it.
xdotool key ctrl+Home
sleep 0.5
# The documents are maximised: the top row of text starts at the client area's corner.
read -r cx cy _ < <(probe state | sed -n 's/^client=//p')
xdotool mousemove $((cx + 12)) $((cy + 8)) click --repeat 2 --delay 80 1
xdotool type --delay 40 "word"
saved "$work/B.KSR" "word 1" "${lines[@]:1:10}" "X" "Yline 13" "${lines[@]:13}"

# A read-only file: Save shows message 301 and the old bytes stay.
crlf "keep me" >"$work/RO.KSR"
chmod a-w "$work/RO.KSR"
open_file "$work/RO.KSR"
xdotool type --delay 40 "more"
xdotool key F2
shows '^text=Cannot write to file - .*RO.KSR' "message 301"
xdotool key Return
sleep 0.5
has_lines "$work/RO.KSR" "keep me"
chmod u+w "$work/RO.KSR"

# The keys every editor has, on a file holding abc: Ctrl+Q (no command) types nothing, Ctrl+S
# saves without a byte 0x13; Ctrl+A then x replaces the whole text.
printf 'abc' >"$work/KEYS.KSR"
open_file "$work/KEYS.KSR"
# bytes_saved <text> <what>: the file holds exactly these bytes, within 5 s
bytes_saved() {
    printf '%s' "$1" >"$work/want"
    within 5 cmp -s "$work/KEYS.KSR" "$work/want" || fail "$2 saved: $(od -c "$work/KEYS.KSR")"
}
xdotool key --delay 100 1 ctrl+q ctrl+s
bytes_saved 1abc "1, Ctrl+Q, Ctrl+S"
xdotool key --delay 100 ctrl+a x ctrl+s
bytes_saved x "Ctrl+A, x, Ctrl+S"

# A 20 MiB file opens; Ctrl+End reaches its end, where a typed byte is saved.
head -c $((20 * 1024 * 1024)) /dev/zero | tr '\0' 'k' | fold -w 79 | sed 's/$/\r/' >"$work/BIG.KSR"
open_file "$work/BIG.KSR"
xdotool key --delay 100 ctrl+End Z F2
sleep 3
[ "$(tail -c 1 "$work/BIG.KSR")" = Z ] || fail "Ctrl+End did not reach the end of the big file"

# The read-only file is still modified: leaving asks whether to save it, and No lets the editor end.
xdotool key alt+x
shows '^text=.*RO.KSR has been modified, but not saved.  Do you want to save it now?' "save question"
xdotool key n
wait_exit
passed
