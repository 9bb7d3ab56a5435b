#!/usr/bin/env bash
# Block matching end to end, through the X keyboard: Ctrl+] from a proc to its endproc 500
# lines further (loops, ifs, and "endproc" in a string and a comment between them) and back;
# Shift+Ctrl+] then a typed "x" replaces the whole procedure; on a line with no block word
# Ctrl+] moves nothing and types nothing. With the caret resting on proc, its endproc on screen
# is boxed, and the box goes when the caret moves off.
#   e2e_blocks.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_blocks

body=()
for n in $(seq 1 100); do
    body+=($'\twhile n > '"$n" $'\t\tif n = 2 then' $'\t\t\tprint "endproc" ; endproc' $'\t\tendif' $'\twend')
done
crlf "; blocks" "proc Main()" "${body[@]}" "endproc" "call Main()" >"$work/B.KSR"
start_editor /G2 "$(winpath "$work/B.KSR")"
expect_active B.KSR

# The caret stands on proc: Ctrl+] goes to the start of endproc, where X goes in.
xdotool key --delay 100 ctrl+bracketright X
saved "$work/B.KSR" "; blocks" "proc Main()" "${body[@]}" "Xendproc" "call Main()"
# And back to proc.
xdotool key --delay 100 BackSpace ctrl+bracketright Y
saved "$work/B.KSR" "; blocks" "Yproc Main()" "${body[@]}" "endproc" "call Main()"

# Shift+Ctrl+] selects proc to endproc, both whole: typing replaces exactly that.
xdotool key --delay 100 BackSpace ctrl+shift+bracketright x
saved "$work/B.KSR" "; blocks" "x" "call Main()"

# No partner: the caret stays, and no control code goes into the text.
xdotool key --delay 100 ctrl+Home ctrl+bracketright Z
saved "$work/B.KSR" "Z; blocks" "x" "call Main()"

# The box: the rows below the caret's, with the caret resting on proc and on the line after it.
crlf "proc Main()" $'\tx = 1' $'\ty = 2' $'\tz = 3' "endproc" >"$work/S.KSR"
open_file "$work/S.KSR"
read -r cx cy _ < <(probe state | sed -n 's/^client=//p')
shot() {
    sleep 0.8
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "400x60+$cx+$((cy + 48))" +repage "$work/$1.png"
}
differ() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" != 0 ]; }
xdotool key ctrl+Home
shot on
xdotool key Down
shot off
xdotool key Up
shot again
differ on off || fail "no box around endproc"
differ on again && fail "the box is not the same when the caret comes back"
leave
passed
