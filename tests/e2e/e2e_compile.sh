#!/usr/bin/env bash
# Compiling end to end with the real programs: Tools > Compile saves a modified script and
# starts ZURIRIRU.EXE with the exact command line; a second Compile while it runs starts none;
# a script with a fault comes back in the editor at the fault's line; leaving the editor closes a
# compiler still running; an error file compiled keeps its bytes; without the compiler, message 311.
#   e2e_compile.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_compile
# The editor hands its environment to the compiler: the compiler logs its command line and
# stays 3 s before it checks, so that a second Compile or the editor's end can find it running.
export ZURIRIRU_LOG=$work/compiler.log ZURIRIRU_HOLD=3000
wait_compiler_gone() { within 10 eval '! compiler_up' || fail "the compiler did not end"; }
compile() {  # Tools > Compile, and the compiler's window is up
    xdotool key --delay 150 alt+t c
    within 10 compiler_up || fail "no compiler window (log: $(cat "$work/compiler.log"))"
}

crlf "proc Main()" "print \"ok\"" "endproc" >"$work/GOOD.KSR"
start_editor "$(winpath "$work/GOOD.KSR")"
handle=$(probe state | sed -n 's/^handle=//p')
xdotool type --delay 40 $'var x\n'
compile
has_lines "$work/GOOD.KSR" "var x" "proc Main()" "print \"ok\"" "endproc"  # saved before compiling
wait_compiler_gone
good=$(winpath "$work/GOOD.KSR")
printf 'ZURIRIRU.EXE /H%s,600  "%s"\r\n' "$handle" "${good^^}" >"$work/want"  # documents keep upper-cased paths
same_bytes "$work/compiler.log" "$work/want"
[ -s "$work/GOOD.ERR" ] && fail "a clean script has errors: $(cat "$work/GOOD.ERR")"

# While the compiler runs, Compile only raises it; once it has ended, Compile starts anew.
: >"$work/compiler.log"
compile
focus_editor
xdotool key --delay 150 alt+t c
wait_compiler_gone
[ "$(wc -l <"$work/compiler.log")" = 1 ] || fail "a second compiler was started: $(cat "$work/compiler.log")"

# Leaving the editor while a compiler is known closes the compiler too.
focus_editor
compile
focus_editor
leave
compiler_up && fail "the compiler outlived the editor"

# A fault on line 3: the compiler writes the error file and starts the editor there, which the
# running editor takes over; a typed X lands at the start of line 3.
crlf "proc Main()" "print \"ok\"" "print \"open" "endproc" >"$work/BAD.KSR"
start_editor "$(winpath "$work/BAD.KSR")"
compile
wait_compiler_gone
sleep 2
grep -q '(3): unterminated string' "$work/BAD.ERR" || fail "no error at line 3: $(cat "$work/BAD.ERR" 2>/dev/null)"
expect_active BAD.KSR
focus_editor
xdotool type --delay 40 "X"
saved "$work/BAD.KSR" "proc Main()" "print \"ok\"" "Xprint \"open" "endproc"
focus_editor
leave

# An error file compiled as a script keeps its bytes; its own faults go beside it.
printf 'C:\\S\\A.KSR(3): unterminated string\r\n' >"$work/OLD.ERR"
cp "$work/OLD.ERR" "$work/want"
start_editor "$(winpath "$work/OLD.ERR")"
compile
wait_compiler_gone
sleep 2
same_bytes "$work/OLD.ERR" "$work/want"
grep -q 'OLD.ERR(1): ' "$work/OLD.ERR.ERR" || fail "no fault at line 1: $(cat "$work/OLD.ERR.ERR" 2>/dev/null)"
focus_editor
leave

# Started from a folder without the compiler, Compile shows message 311.
mkdir "$work/alone"
cp "$bin/ZAVODO.EXE" "$bin"/*.DLL "$work/alone/"
editor_dir=$work/alone start_editor "$(winpath "$work/GOOD.KSR")"
xdotool key --delay 150 alt+t c
shows '^text=Error executing ZURIRIRU.EXE' "message 311"
xdotool key Return
passed
