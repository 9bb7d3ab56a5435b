#!/usr/bin/env bash
# Soak: random user actions from a seeded generator on four scratch scripts, through the X
# keyboard and mouse: typing, caret and selection keys, drags, undo and redo, the clipboard,
# Find and Go To Line, window switching, Save, closing (the save question answered either way)
# and opening again through a second start. Every few batches the editor must be alive and
# answering, with no crash dialog, and each file on disk must hold printable text with CR LF
# ends only. At the end each file is saved, and a fresh editor saving it unchanged gives the
# same bytes.
#   soak.sh <win64 build dir> [actions]   (inside a Wine session; SOAK_SEED=<n> repeats a run)
set -u
. "$(dirname "$0")/lib.sh" "$1" soak
total=${2:-20000}
seed=${SOAK_SEED:-$(((RANDOM << 15 | RANDOM) ^ $$))}
RANDOM=$seed
echo "soak: seed $seed (SOAK_SEED=$seed repeats the actions)"

names=(ALPHA BRAVO CHARLIE DELTA)
files=() paths=()
lines=()
for n in $(seq 1 120); do lines+=("$(printf '\tprint "row %d"  ; padding to make a longer line' "$n")"); done
crlf "proc Main()" "${lines[@]:0:5}" "endproc" >"$work/ALPHA.KSR"
crlf "include \"KESTREL.INC\"" "${lines[@]}" >"$work/BRAVO.KSR"
crlf "var x" >"$work/CHARLIE.KSR"
: >"$work/DELTA.KSR"
for name in "${names[@]}"; do
    files+=("$work/$name.KSR")
    paths+=("$(winpath "$work/$name.KSR")")
done

R=0
pick() { R=$((RANDOM % $1)); }
# printable: letters, digits and blanks more often than punctuation
letters=({a..z} {A..Z} {0..9} space space space space space)
punct=(exclam at numbersign dollar percent asciicircum ampersand asterisk parenleft parenright minus
    underscore equal plus bracketleft braceleft bracketright braceright semicolon colon apostrophe
    quotedbl comma less period greater slash question backslash bar grave asciitilde)
moves=(Left Right Up Down Home End Prior Next ctrl+Home ctrl+End Left Right Up Down)
accels=(ctrl+z ctrl+z ctrl+y ctrl+c ctrl+x ctrl+v ctrl+v ctrl+l F2 ctrl+F6)
batch=()
found=0
add_key() {  # one action for the key batch being built; "-" marks a wait for a dialog
    local p
    pick 1000
    p=$R
    if ((p < 450)); then
        pick ${#letters[@]}; batch+=("${letters[R]}")
    elif ((p < 500)); then
        pick ${#punct[@]}; batch+=("${punct[R]}")
    elif ((p < 540)); then batch+=(Return)
    elif ((p < 560)); then batch+=(Tab)
    elif ((p < 610)); then batch+=(BackSpace)
    elif ((p < 650)); then batch+=(Delete)
    elif ((p < 885)); then
        pick ${#moves[@]}; local m=${moves[R]}
        pick 3; ((R == 0)) && m=shift+$m
        batch+=("$m")
    elif ((p < 985)); then
        pick ${#accels[@]}
        # Ctrl+L before any Find would open the Find dialog
        [ "${accels[R]}" = ctrl+l ] && ((!found)) && return
        batch+=("${accels[R]}")
    elif ((p < 995)); then  # Find: a word of one to three letters, Find Next, close
        batch+=(ctrl+f -)
        pick 3
        local i
        for ((i = 0; i <= R; i++)); do pick 26; batch+=("${letters[R]}"); done
        batch+=(Return Escape)
        found=1
    else  # Go To Line: a line number, or closed at once
        batch+=(ctrl+g -)
        pick 2
        if ((R == 0)); then pick 60; batch+=($((R / 10 + 1)) $((R % 10)) Return); else batch+=(Escape); fi
    fi
}
# The batch as a few xdotool runs: keys meant for a dialog wait until it is shown, as a user
# would (under Wine an Escape that reaches a modal dialog before it is active leaves no window
# with the keyboard focus).
send_batch() {
    local keys=() k
    for k in "${batch[@]}"; do
        if [ "$k" != - ]; then keys+=("$k"); continue; fi
        ((${#keys[@]})) && xdotool key --delay 5 "${keys[@]}"
        actions=$((actions + ${#keys[@]}))
        keys=()
        within 1 eval '! dialog_has "^dialogs=0$"'
    done
    ((${#keys[@]})) && xdotool key --delay 5 "${keys[@]}"
    actions=$((actions + ${#keys[@]}))
}

actions=0 batches=0 open=4 strays=0 saved_on_close=0
client=()
read_state() {  # the number of documents, the client area and the focus's class
    local state
    state=$(probe state)
    open=$(sed -n 's/^documents=//p' <<<"$state")
    read -r -a client < <(sed -n 's/^client=//p' <<<"$state")
    focus=$(sed -n 's/^focus=//p' <<<"$state")
}
# A file on disk holds printable ASCII and tabs with CR LF line ends only.
clean_file() {
    python3 -c 'import re, sys
sys.exit(re.search(rb"[^\t\x20-\x7e\r\n]|\r(?!\n)|(?<!\r)\n", open(sys.argv[1], "rb").read()) is not None)' "$1"
}
check() {
    kill -0 "$editor" 2>/dev/null || fail "the editor has ended after $actions actions"
    probe wait 5 || fail "the editor does not answer after $actions actions"
    local dialogs i f
    for i in 1 2 3; do
        dialogs=$(probe dialog)
        grep -qiE '^(dialog|text)=.*(Program Error|winedbg|unhandled exception)' <<<"$dialogs" &&
            fail "crashed after $actions actions: $dialogs"
        grep -q '^dialogs=0$' <<<"$dialogs" && break
        # a dialog left open (a message box or the Find dialog): Escape closes it
        echo "soak: closing a dialog after $actions actions: $(grep '^dialog=' <<<"$dialogs" | head -1)"
        strays=$((strays + 1))
        xdotool key Escape
        sleep 0.3
    done
    grep -q '^dialogs=0$' <<<"$dialogs" || fail "a dialog stays open: $dialogs"
    for f in "${files[@]}"; do clean_file "$f" || fail "${f##*/} on disk: $(od -c "$f" | head -5)"; done
    read_state
    ((open == 0)) || [ "$focus" = ZAVODO_Edit ] || fail "the keyboard focus is on $focus after $actions actions"
}
close_active() {  # Ctrl+F4, answering a save question with y or n
    local before=$open _ answer
    xdotool key ctrl+F4
    actions=$((actions + 1))
    for _ in $(seq 1 30); do
        sleep 0.1
        if probe dialog | grep -q '^text=.*has been modified, but not saved'; then
            pick 2
            answer=$([ "$R" = 0 ] && echo y || echo n)
            [ "$answer" = y ] && saved_on_close=$((saved_on_close + 1))
            xdotool key "$answer"
            actions=$((actions + 1))
            break
        fi
        read_state
        ((open < before)) && return 0
    done
    within 3 eval 'read_state; ((open < before))' || fail "Ctrl+F4 did not close the active document"
}
drag() {
    local x=${client[0]} y=${client[1]} w=$((client[2] - 24)) h=$((client[3] - 24))
    pick $w; local x1=$((x + 2 + R))
    pick $h; local y1=$((y + 2 + R))
    pick $w; local x2=$((x + 2 + R))
    pick $h; local y2=$((y + 2 + R))
    xdotool mousemove $x1 $y1 mousedown 1 sleep 0.03 mousemove $(((x1 + x2) / 2)) $(((y1 + y2) / 2)) \
        sleep 0.03 mousemove $x2 $y2 mouseup 1
    actions=$((actions + 1))
}

start_editor "${paths[@]}"
read_state
t0=$(date +%s.%N)
while ((actions < total)); do
    pick 100
    if ((open == 0 || R < 4)); then
        pick 4
        open_file "${files[R]}"
        actions=$((actions + 1))
        read_state
    elif ((R < 12)); then
        drag
    elif ((R < 15)); then
        close_active
    else
        batch=()
        pick 41
        n=$((20 + R))
        while ((${#batch[@]} < n)); do add_key; done
        send_batch
    fi
    batches=$((batches + 1))
    ((batches % 8 == 0)) && check
done
sleep 0.5
check
t1=$(date +%s.%N)
peak=$(probe peak-memory)

# Every file saved once more by the soaked editor, then once by a fresh one, unchanged.
saved_copy() {  # saved_copy <index> <copy>: F2 on the active file, waited for on disk
    local f=${files[$1]} before _
    before=$(stat -c %y "$f")
    xdotool key F2
    within 5 eval '[ "$(stat -c %y "$f")" != "$before" ]' || fail "F2 did not save ${names[$1]}.KSR"
    sleep 0.2
    clean_file "$f" || fail "${names[$1]}.KSR as saved: $(od -c "$f" | head -5)"
    cp "$f" "$2"
}
for i in "${!names[@]}"; do
    open_file "${files[i]}"
    saved_copy "$i" "$work/${names[i]}.saved"
done
leave
for i in "${!names[@]}"; do
    start_editor "${paths[i]}"
    saved_copy "$i" "$work/${names[i]}.again"
    cmp -s "$work/${names[i]}.saved" "$work/${names[i]}.again" ||
        fail "${names[i]}.KSR changed when loaded and saved again: $(cmp "$work/${names[i]}.saved" "$work/${names[i]}.again")"
    leave
done

sizes=$(for f in "${files[@]}"; do printf ' %s %s' "${f##*/}" "$(wc -c <"$f")"; done)
echo "soak: files saved:$sizes; $saved_on_close saved on closing, $strays dialogs closed by the checks"
awk -v a="$actions" -v t0="$t0" -v t1="$t1" -v p="$peak" 'BEGIN {
    s = t1 - t0
    printf "soak: %d actions in %.0f s, %.1f actions/s, peak working set %.1f MiB\n", a, s, a / s, p / 1048576 }'
passed
