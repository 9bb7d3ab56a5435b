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
# start_editor <arguments...>: the editor on its own, waited for until its frame is idle.
start_editor() {
    (cd "$bin" && exec wine ZAVODO.EXE "$@") >/dev/null 2>&1 &
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
# crlf <lines...>: the lines with CR LF ends, as a file holds them
crlf() { printf '%s\r\n' "$@"; }
same_bytes() {  # same_bytes <file> <expected file>
    cmp -s "$1" "$2" || fail "$1 differs: $(od -c "$1" | head -5)"
}
rm -f "$ini"
rm -rf "$WINEPREFIX/drive_c/windows/QV5RECOV"  # recovery copies a killed editor left
