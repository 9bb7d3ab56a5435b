#!/usr/bin/env bash
# Saving to a full disk: a small tmpfs holds the script and a filler that leaves too little
# room for the new text. Save shows message 301, the file keeps its old bytes, no temporary
# file is left, and the document stays modified (leaving asks about it). Needs root for the
# mount; otherwise it says so and passes.
#   e2e_full_disk.sh <win64 build dir>     (run by CTest inside a Wine session)
set -u
. "$(dirname "$0")/lib.sh" "$1" e2e_full_disk
disk=$work/disk
mkdir -p "$disk"
if [ "$(id -u)" != 0 ] || ! mount -t tmpfs -o size=512k tmpfs "$disk" 2>/dev/null; then
    cleanup
    echo "e2e_full_disk: skipped (mounting a small tmpfs needs root)"
    exit 0
fi
unmount() { umount "$disk" 2>/dev/null; }
trap unmount EXIT

for n in $(seq 1 2000); do printf 'line %d of the script\r\n' "$n"; done >"$disk/FULL.KSR"
cp "$disk/FULL.KSR" "$work/old"
dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null  # until the disk is full
start_editor "$(winpath "$disk/FULL.KSR")"
xdotool type --delay 40 "more"
xdotool key F2
shows '^text=Cannot write to file - .*FULL.KSR' "message 301"
xdotool key Return
sleep 0.5
same_bytes "$disk/FULL.KSR" "$work/old"
[ "$(ls "$disk" | grep -vc '^FULL.KSR$\|^filler$')" = 0 ] || fail "left behind: $(ls "$disk")"
xdotool key alt+x  # still modified: leaving asks, and Cancel stays
shows '^text=.*FULL.KSR has been modified' "save question"
xdotool key Escape
sleep 0.5

# With room again the same document saves: nothing typed was lost.
rm -f "$disk/filler"
xdotool key F2
sleep 1.5
{ printf 'more'; cat "$work/old"; } >"$work/want"
same_bytes "$disk/FULL.KSR" "$work/want"
leave
passed
