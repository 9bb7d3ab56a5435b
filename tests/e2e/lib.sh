# Shared by the end-to-end scripts: starting ZAVODO.EXE in the test prefix, looking at it
# with probe.exe, failing with a screenshot, and waiting for it to end.
#   . lib.sh <win64 build dir> <test name>
bin=$1/bin
e2e_name=$2
e2e_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ini=$WINEPREFIX/drive_c/windows/QV5.INI
work=$(mktemp -d)
editor=

probe() { (cd "$bin" && wine probe.exe "$@") | tr -d '\r'; }
winpath() { winepath -w "$1" 2>/dev/null; }
cleanup() {
    [ -n "$editor" ] && kill "$editor" 2>/dev/null
    wineserver -k >/dev/null 2>&1
    rm -rf "$work"
}
passed() {  # passed [what was measured]: the end of a script that passed
    cleanup
    echo "$e2e_name: passed${1:+ $1}"
}
fail() {
    echo "$e2e_name: $*" >&2
    probe state >&2
    import -window root "$bin/../${e2e_name}_failed.png" 2>/dev/null
    cleanup
    exit 1
}
expect() {  # expect <key=value>: the probe's state holds that line
    probe state | grep -qxF "$1" || fail "expected $1"
}
# start_editor <arguments...>: the editor on its own, waited for until its frame is idle; it is
# started from the folder editor_dir names, else from the build's.
start_editor() {
    (cd "${editor_dir:-$bin}" && exec wine ZAVODO.EXE "$@") >/dev/null 2>&1 &
    editor=$!
    probe wait 30 || fail "no frame within 30 s"
    sleep 1
}
# within <seconds> <command...>: runs the command every 0.1 s until it succeeds; returns 1 when
# the time runs out first
within() {
    local _ tries=$(($1 * 10))
    shift
    for _ in $(seq 1 "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}
ended() { ! kill -0 "$editor" 2>/dev/null; }
wait_exit() {
    within 10 ended || fail "the editor did not end"
    editor=
}
leave() {  # Alt+X, and the editor ends
    xdotool key alt+x
    wait_exit
}
# background <word> <probe arguments...>: probe.exe left running once it has printed the word
background() {
    (cd "$bin" && exec wine probe.exe "${@:2}") >"$work/$1.log" 2>&1 &
    within 20 grep -q "^$1" "$work/$1.log" || fail "probe ${*:2}: $(cat "$work/$1.log")"
}
# hand_over <arguments...>: a second start, which hands them to the running copy and ends
hand_over() { (cd "$bin" && timeout 30 wine ZAVODO.EXE "$@") >/dev/null 2>&1; }
# shows <pattern> <what>: a dialog or message box line matching the pattern, within 5 s
dialog_has() { probe dialog | grep -q "$1"; }
shows() { within 5 dialog_has "$1" || fail "no $2: $(probe dialog)"; }
crash() {  # every process of the prefix ends at once
    wineserver -k
    wait "$editor" 2>/dev/null
    editor=
}
expect_active() {  # expect_active <file name>: the active document's title ends with it, within 5 s
    within 5 eval "probe state | grep -qi '^active=.*$1\$'" ||
        fail "$1 is not the active document: $(probe state | grep '^active=')"
}
# open_file <file>: a second start hands the file to the running copy, where it becomes active
open_file() {
    hand_over "$(winpath "$1")"
    expect_active "$(basename "$1")"
}
status() { probe child-text ZAVODO:Main ZAVODO:StatusLine; }
status_is() { [ "$(status)" = "$1" ]; }
says() {  # says <status text>: the status line shows it within 5 s
    within 5 status_is "$1" || fail "the status line says '$(status)', not '$1'"
}
# A compiler window that appears takes the keyboard: a click on the status line gives it back
# to the editor.
focus_editor() {
    local x y _
    read -r x y _ < <(probe state | sed -n 's/^status=//p')
    xdotool mousemove $((x + 600)) $((y + 8)) click 1
    sleep 0.5
}
compiler_up() { xdotool search --name '^KESTREL Compiler' >/dev/null 2>&1; }
# crlf <lines...>: the lines with CR LF ends, as a file holds them
crlf() { printf '%s\r\n' "$@"; }
same_bytes() {  # same_bytes <file> <expected file>
    cmp -s "$1" "$2" || fail "$1 differs: $(od -c "$1" | head -5)"
}
# has_lines <file> <lines...>: the file holds exactly these lines, each ended by CR LF
has_lines() {
    crlf "${@:2}" >"$work/want"
    same_bytes "$1" "$work/want"
}
saved() {  # saved <file> <lines...>: F2 saves the active document, which the file then holds
    crlf "${@:2}" >"$work/want"
    xdotool key F2
    within 5 cmp -s "$1" "$work/want"
    same_bytes "$1" "$work/want"
}
rm -f "$ini"
rm -rf "$WINEPREFIX/drive_c/windows/QV5RECOV"  # recovery copies a killed editor left
