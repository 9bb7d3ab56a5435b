#!/usr/bin/env bash
# Compile errors inside the editor, with the real programs: a script with two faults that
# includes a file with a third is compiled; the compiler starts the editor on the first fault,
# F4 and Shift+F4 walk all three across the script and its include file (title, message in the
# status line, caret line), the faults' lines are tinted until edited; once fixed, a compile
# clears the marks and says there are no errors.
#   e2e_errors.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_errors
on_line() {  # on_line <n>: Home, and the status line shows the caret on line n
    xdotool key Home
    within 5 eval "status | grep -q '^Line: $1 '" || fail "the caret is not on line $1: $(status)"
}
tints_are() { [ "$(probe marked-rows | sed -n 's/^tints=//p')" = "$1" ]; }
tinted() { within 5 tints_are "$1" || fail "expected $1 marked rows: $(probe marked-rows | tr '\n' ' ')"; }

crlf 'include "lib.inc"' "proc Main()" "print \"ok\"" "print \"open" "endproc" "bogus thing" >"$work/MAIN.KSR"
crlf "const A = 1" "print (" "print A" >"$work/LIB.INC"
start_editor "$(winpath "$work/MAIN.KSR")"
xdotool key --delay 150 alt+t c
# The compile has ended once its error file is written and its window is gone: a quick one may
# come and go between two looks.
within 15 eval '[ -s "$work/MAIN.ERR" ] && ! compiler_up' || fail "the compiler did not end"
# The script's faults, then its include file's, which the compiler names by their own path.
tr -d '\r' <"$work/MAIN.ERR" | sed 's/.*\\//' >"$work/faults"
printf '%s\n' "MAIN.KSR(4): unterminated string" "MAIN.KSR(6): unknown keyword 'bogus'" \
    "lib.inc(2): unclosed '('" >"$work/want"
cmp -s "$work/faults" "$work/want" || fail "unexpected error file: $(cat "$work/MAIN.ERR")"

# The compiler started the editor on the first fault: the walk goes on from there.
says "Error 1 of 3: unterminated string"
expect_active MAIN.KSR
focus_editor
tinted 2
xdotool key F4
says "Error 2 of 3: unknown keyword 'bogus'"
on_line 6
xdotool key F4
expect_active LIB.INC
says "Error 3 of 3: unclosed '('"
tinted 1
on_line 2
xdotool key F4
says "No more errors: 3 of 3 is the last"
expect_active LIB.INC
xdotool key shift+F4
expect_active MAIN.KSR
says "Error 2 of 3: unknown keyword 'bogus'"
on_line 6
xdotool key shift+F4 shift+F4
says "No error before the first"
on_line 4

# Editing a fault's line takes its mark off; the other stays.
xdotool key End
xdotool type --delay 40 '"'
tinted 1
xdotool key F4 Home shift+End
xdotool type --delay 40 'var x'
tinted 0
xdotool key F2 F4
expect_active LIB.INC
on_line 2
xdotool key End
xdotool type --delay 40 ')'
xdotool key F2 shift+F4
expect_active MAIN.KSR

# Compiled again: no faults, no marks, and the status line says so.
# A compile without faults may end before its window could be seen: the status line says when
# the editor has read its result.
xdotool key --delay 150 alt+t c
within 15 status_is "No errors in MAIN.KSR" || fail "the second compile did not end: $(status)"
within 10 eval '! compiler_up' || fail "the compiler stayed"
[ -s "$work/MAIN.ERR" ] && fail "faults are left: $(cat "$work/MAIN.ERR")"
focus_editor
xdotool key F4
says "No errors in MAIN.KSR"
tinted 0
has_lines "$work/MAIN.KSR" 'include "lib.inc"' "proc Main()" "print \"ok\"" "print \"open\"" "endproc" "var x"
has_lines "$work/LIB.INC" "const A = 1" "print ()" "print A"
leave
passed
