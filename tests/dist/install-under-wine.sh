#!/usr/bin/env bash
# The "dist" suite's second half, after check-dist.sh: installs the setup program silently
# under Wine, checks the files, the Start-menu entries, the .KSR association and the Add/Remove
# Programs entry, uninstalls silently and checks that all of it is gone again.
#   install-under-wine.sh [BUILD_ROOT]
# Debian's wine64 without wine32 runs no 32-bit program: then the same installer script is
# built as a 64-bit twin (WINE_TEST_AMD64) with the same files, so its logic is still tested,
# but the 32-bit setup.exe itself is not run. A fresh prefix of its own, BUILD_ROOT/dist-wine.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
B=$(cd "${1:-build}" && pwd)
version=$(head -n 1 "$root/VERSION")
stage=$B/dist-stage/zavodo-$version
setup=$B/dist-check/zavodo-$version-setup.exe
if [ ! -f "$setup" ] || [ ! -d "$stage" ]; then
    echo "install-under-wine: run check-dist.sh first" >&2
    exit 1
fi
. "$root/tests/dist/checks.sh" install-under-wine

ZAVODO_BUILD=$B/dist-wine
rm -rf "$ZAVODO_BUILD"  # nothing left from an earlier run
. "$root/scripts/wine-env.sh"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"  # no menus or MIME types in $HOME
view=/reg:32
# Debian's wine starts its 32-bit loader, from wine32, when there is one; else only wine64.
if [ ! -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ]; then
    echo "install-under-wine: this Wine has no 32-bit support (wine32): setup.exe itself is NOT run;"
    echo "install-under-wine: testing a 64-bit build of the same installer script instead"
    setup=$B/dist-check/setup-amd64-wine-test.exe
    makensis -V2 -WX -DWINE_TEST_AMD64 -DVERSION="$version" -DPAYLOAD="$B/dist-stage/payload.nsh" \
        -DOUTFILE="$setup" "$root/tools/installer/zavodo.nsi" || exit 1
    view=/reg:64
fi
zavodo_start_display || exit 1
trap 'zavodo_stop_wine; zavodo_stop_display' EXIT
zavodo_ensure_prefix

reg_value() {  # KEY VALUE-NAME (empty for the default value)
    local name=(/ve)
    [ -n "$2" ] && name=(/v "$2")
    wine reg query "$1" "${name[@]}" "$view" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_[A-Z]*[[:space:]]*//p'
}
drive_c=$WINEPREFIX/drive_c
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Corvanet Editor"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvanet Editor'
links=("Corvanet Editor.lnk" "User Guide.lnk" "Uninstall Corvanet Editor.lnk")

# Another program's association is kept aside while ours holds .KSR and comes back after.
wine reg add 'HKCR\.KSR' /ve /d OtherEditor.KSR /f >/dev/null 2>&1
wine "$setup" /S
status=$?
wineserver -w
# The setup program may hand its work to a child that the server wait does not cover, so the
# files are looked for until they appear, for up to a minute.
for _ in $(seq 120); do
    dir=$(find "$drive_c"/Program\ Files* -maxdepth 2 -path '*/Corvanet Editor/ZAVODO.EXE' -printf '%h' -quit 2>/dev/null)
    [ -n "$dir" ] && break
    sleep 0.5
done
if [ -z "$dir" ]; then
    echo "FAIL: no ZAVODO.EXE in Program Files after the silent install (setup exit code $status)" >&2
    ls -la "$drive_c/Program Files"* >&2
    exit 1
fi
[ "$status" -eq 0 ] || fail "setup exit code $status"
windir="C:\\${dir#"$drive_c/"}"
windir=${windir//\//\\}
unlike_staged() {  # prints each staged file not (yet) installed as staged
    (cd "$stage" && find . -type f) | while read -r file; do
        cmp -s "$stage/$file" "$dir/$file" || echo "FAIL: $file not installed as staged"
    done
}
for _ in $(seq 20); do [ -z "$(unlike_staged)" ] && break; sleep 0.5; done
unlike_staged >&2
[ -z "$(unlike_staged)" ] || fail "installed files"
[ -f "$dir/Uninstall.exe" ] || fail "no Uninstall.exe"
for link in "${links[@]}"; do [ -f "$menu/$link" ] || fail "no Start-menu entry $link"; done
[ "$(reg_value 'HKCR\.KSR' '')" = CorvanetEditor.KSR ] || fail ".KSR is not associated"
[ "$(reg_value 'HKCR\CorvanetEditor.KSR\shell\open\command' '')" = "\"$windir\\ZAVODO.EXE\" \"%1\"" ] ||
    fail "open command: $(reg_value 'HKCR\CorvanetEditor.KSR\shell\open\command' '')"
[ "$(reg_value "$uninstall_key" DisplayVersion)" = "$version" ] || fail "no Add/Remove Programs entry"
[ "$(reg_value "$uninstall_key" UninstallString)" = "\"$windir\\Uninstall.exe\"" ] || fail "UninstallString"

# The uninstaller runs from a copy in the temporary folder: wait for every process to end.
wine "$dir/Uninstall.exe" /S
wineserver -w
[ ! -e "$dir" ] || fail "left behind: $(cd "$dir" && find . | head -5 | tr '\n' ' ')"
[ ! -e "$menu" ] || fail "the Start-menu entries are left"
[ "$(reg_value 'HKCR\.KSR' '')" = OtherEditor.KSR ] || fail "the earlier .KSR association is not back"
wine reg delete 'HKCR\.KSR' /f >/dev/null 2>&1
wine reg query 'HKCR\CorvanetEditor.KSR' >/dev/null 2>&1 && fail "the ProgID is left"
[ -z "$(reg_value "$uninstall_key" DisplayVersion)" ] || fail "the Add/Remove Programs entry is left"

finish "silent install and uninstall as expected"
