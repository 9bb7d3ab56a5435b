#!/usr/bin/env bash
# Printing end to end: a PostScript printer on a file port in the prefix, a 150-line script
# with a tab and an over-long line printed through File > Print, the output turned into text:
# the file name centred at the top and "Page N" at the bottom of every page, as many body lines
# per page as the printer's page and font allow, the long line cut at the columns that fit; a
# long job cancelled from the "Printing" window prints nothing.
#   e2e_print.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_print
command -v ps2pdf >/dev/null && command -v pdftotext >/dev/null || fail "ps2pdf and pdftotext are needed"

out=$WINEPREFIX/printed.ps
drivers=$WINEPREFIX/drive_c/windows/system32/spool/drivers/x64/3
mkdir -p "$drivers" && cp "$e2e_here/test_printer.ppd" "$drivers/ztest.ppd"
probe add-printer ZTEST "$out" || fail "the test printer could not be installed"
rm -f "$out"

{
    printf '\tTABBED\r\n'
    printf 'L%.0s' $(seq 1 300); printf '\r\n'
    for n in $(seq 3 150); do printf 'line %d\r\n' "$n"; done
} >"$work/LONG.KSR"
start_editor "$(winpath "$work/LONG.KSR")"
xdotool key --delay 150 alt+f p
shows '^dialog=Print$' "print dialog"
xdotool key Return
within 20 grep -q '%%EOF' "$out" 2>/dev/null
[ -s "$out" ] || fail "nothing was printed"
ps2pdf "$out" "$work/printed.pdf" && pdftotext -layout "$work/printed.pdf" "$work/printed.txt" ||
    fail "the printed file could not be read"

# The page arithmetic, from the printer's own numbers: 0.25" margins, Courier 10 pt.
read -r width height dpix dpiy lh cw < <(probe printer-metrics ZTEST Courier 10)
margin_x=$((dpix / 4)) margin_y=$((dpiy / 4))
columns=$((width / cw - 2 * margin_x / cw))
lines=$((height / lh - 2 * margin_y / lh - 6))
pages=$(((150 + lines - 1) / lines))
[ "$(grep -c '^ *Page [0-9]*$' "$work/printed.txt")" = "$pages" ] ||
    fail "expected $pages pages of $lines lines: $(grep -c 'Page' "$work/printed.txt") footers"
# Page by page (pdftotext ends each with a form feed): header, body, footer.
awk -v lines="$lines" -v pages="$pages" -v columns="$columns" '
    BEGIN { RS = "\f"; bad = 0 }
    NR > pages { next }
    {
        n = split($0, row, "\n"); body = 0; header = ""; footer = ""
        for (i = 1; i <= n; i++) {
            if (row[i] ~ /^ *$/) continue
            if (header == "") { header = row[i]; continue }
            if (row[i] ~ /^ *Page [0-9]+$/) { footer = row[i]; continue }
            body++
            if (row[i] ~ /^ *L+ *$/) { gsub(/ /, "", row[i]); if (length(row[i]) != columns) { print "long line " length(row[i]) " not " columns; bad = 1 } }
        }
        if (header !~ /^  +LONG.KSR$/) { print "page " NR " header: " header; bad = 1 }
        if (footer !~ "Page " NR "$") { print "page " NR " footer: " footer; bad = 1 }
        want = NR < pages ? lines : 150 - (pages - 1) * lines
        if (body != want) { print "page " NR ": " body " lines, not " want; bad = 1 }
    }
    END { exit bad }' "$work/printed.txt" || fail "the printout is not laid out as expected"
grep -q '^ *TABBED' "$work/printed.txt" || fail "the tabbed line is missing"
cp "$work/printed.pdf" "$bin/../printed.pdf"  # for a look

# A long job cancelled in the "Printing" window is dropped: nothing reaches the port, and the
# editor goes on.
rm -f "$out"
for n in $(seq 1 20000); do printf 'row %d\r\n' "$n"; done >"$work/HUGE.KSR"
hand_over "$(winpath "$work/HUGE.KSR")"
sleep 1
xdotool key --delay 150 alt+f p
sleep 1.5
xdotool key Return
shows '^dialog=Printing$' "Printing window"
# Cancel lies centred, three quarters down the window.
eval "$(xdotool search --name '^Printing$' getwindowgeometry --shell | tail -n +2)"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * 3 / 4)) click 1
sleep 3
probe dialog | grep -q '^dialog=Printing$' && fail "the Printing window stayed"
[ -s "$out" ] && fail "the cancelled job was printed: $(wc -c <"$out") bytes"
probe wait 5 || fail "the editor no longer answers after the cancelled job"
passed "($pages pages of $lines lines, $columns columns)"
