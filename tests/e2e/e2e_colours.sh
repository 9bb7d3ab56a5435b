#!/usr/bin/env bash
# Syntax colours end to end, read off the screen: a script's keyword, string, comment and
# number each in a colour of its own (keywords bluish, strings reddish, comments greenish), a
# plain name in the window text's; with SyntaxColours=0 in QV5.INI every one plain, and so is
# a text file.
#   e2e_colours.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_colours

# One token every other line, indented past the caret's column; the caret waits on the empty
# last line.
crlf "    proc" "" "    \"text\"" "" "    ; note" "" "    12" "" "    name" >"$work/C.KSR"
cp "$work/C.KSR" "$work/C.TXT"

# inks <file>: the five lines' colours as the editor shows the file, one RRGGBB each, into
# $work/inks (run in this shell, so that a failure ends the test)
inks() {
    start_editor "$(winpath "$1")"
    expect_active "$(basename "$1")"
    xdotool key ctrl+End
    sleep 1
    probe inks | sed -n 's/^ink=//p' | head -5 | tr '\n' ' ' >"$work/inks"
    echo >>"$work/inks"
    leave
}
channel() { echo $((16#${1:$2:2})); }  # channel <RRGGBB> <0 red | 2 green | 4 blue>
leans() {  # leans <RRGGBB> <channel offset>: that channel above the other two together
    local r g b
    r=$(channel "$1" 0) g=$(channel "$1" 2) b=$(channel "$1" 4)
    case $2 in 0) [ "$r" -gt $((g + b)) ] ;; 2) [ "$g" -gt $((r + b)) ] ;; 4) [ "$b" -gt $((r + g)) ] ;; esac
}

inks "$work/C.KSR"
read -r keyword string comment number plain <"$work/inks"
[ -n "$plain" ] || fail "five lines of ink expected, got: $keyword $string $comment $number"
[ "$(printf '%s\n' "$keyword" "$string" "$comment" "$number" "$plain" | sort -u | wc -l)" = 5 ] ||
    fail "the five kinds share colours: $keyword $string $comment $number $plain"
leans "$keyword" 4 || fail "keywords are not blue: $keyword"
leans "$string" 0 || fail "strings are not red: $string"
leans "$comment" 2 || fail "comments are not green: $comment"

inks "$work/C.TXT"
read -r -a text <"$work/inks"
[ "${text[*]}" = "$plain $plain $plain $plain $plain" ] || fail "a text file is coloured: ${text[*]}"

printf '[Kestrel Editor]\r\nSyntaxColours=0\r\n' >"$ini"
inks "$work/C.KSR"
read -r -a off <"$work/inks"
[ "${off[*]}" = "$plain $plain $plain $plain $plain" ] || fail "colours with SyntaxColours=0: ${off[*]}"
grep -q '^SyntaxColours=0' "$ini" || fail "the setting was not kept: $(cat "$ini")"
passed "(keyword $keyword, string $string, comment $comment, number $number, plain $plain)"
