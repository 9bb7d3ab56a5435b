#!/usr/bin/env bash
# The "dist" suite: packs the release from an existing win32 build into BUILD_ROOT/dist-check
# and checks both packages: every file listed, the same bytes in each, 32-bit images only, the
# DLLs' exports as libs/exports.txt says, and the version from VERSION in every version resource.
#   check-dist.sh [BUILD_ROOT]
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
B=$(cd "${1:-build}" && pwd)
out=$B/dist-check
version=$(head -n 1 "$root/VERSION")
. "$root/tests/dist/checks.sh" check-dist

for tool in 7z file i686-w64-mingw32-objdump i686-w64-mingw32-windres; do
    command -v "$tool" >/dev/null || { echo "check-dist: $tool is missing (make deps)" >&2; exit 1; }
done
rm -rf "$out"
bash "$root/scripts/make-dist.sh" "$B" "$out" >/dev/null || { echo "FAIL: make-dist.sh" >&2; exit 1; }
zip=$out/zavodo-$version-win32.zip
setup=$out/zavodo-$version-setup.exe

# What both packages hold, from the source tree; the zip has it in one top folder.
binaries=(ZAVODO.EXE DEZ32.DLL VUZUZE32.DLL QVDSK32.DLL ZURIRIRU.EXE)
expected=$({
    printf '%s\n' "${binaries[@]}" USER_GUIDE.TXT samples/DEMO.KSR samples/KESTREL.INC
    cd "$root/help" && find . -maxdepth 1 \( -name '*.html' -o -name '*.css' \) | sed 's|^\./|help/|'
} | sort)

# The entries "7z l" lists, without folders and without the archive itself.
entries() {
    7z l -slt "$1" | awk '/^Path = / { if (p != "") print p; p = n++ ? substr($0, 8) : "" }
                          /^Folder = \+/ { p = "" }  END { if (p != "") print p }' | sort
}
diff <(echo "$expected") <(entries "$zip" | sed "s|^zavodo-$version/||") >&2 ||
    fail "the zip's files are not the expected ones (< missing, > extra)"
setup_entries=$(entries "$setup")
for file in $expected Uninstall.exe; do
    grep -Fxq "$file" <<<"$setup_entries" || fail "setup.exe does not list $file"
done

7z x -y -o"$out/zip" "$zip" >/dev/null || fail "cannot unpack the zip"
7z x -y -o"$out/setup" "$setup" >/dev/null || fail "cannot unpack setup.exe"
files=$out/zip/zavodo-$version
for file in $expected; do
    cmp -s "$files/$file" "$out/setup/$file" || fail "$file differs between the zip and setup.exe"
done

IFS=. read -r major minor patch <<<"$version"
for image in "${binaries[@]/#/$files/}" "$setup"; do
    name=${image##*/}
    kind=$(file -b "$image")
    [[ $kind == "PE32 executable "*"Intel 80386"* ]] || fail "$name is not a 32-bit x86 image: $kind"
    rc=$(i686-w64-mingw32-windres -i "$image" -O rc 2>/dev/null | tr -d '\r')
    for want in "FILEVERSION $major, $minor, $patch, 0" "PRODUCTVERSION $major, $minor, $patch, 0" \
        "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
        "VALUE \"ProductName\", \"Corvanet Editor\""; do
        grep -Fq "$want" <<<"$rc" || fail "$name's version resource lacks: $want"
    done
    [ "$image" = "$setup" ] || grep -Fq "VALUE \"OriginalFilename\", \"$name\"" <<<"$rc" ||
        fail "$name's version resource names another file"
done

# The program may address 4 GiB on 64-bit Windows; the DLLs follow the process.
i686-w64-mingw32-objdump -p "$files/ZAVODO.EXE" | grep -q "large address aware" ||
    fail "ZAVODO.EXE is not marked large address aware"

# The common dialogs', the shell's and the common controls' libraries load at their first use,
# not with the program: no import table names them.
for image in ZAVODO.EXE DEZ32.DLL QVDSK32.DLL VUZUZE32.DLL; do
    i686-w64-mingw32-objdump -p "$files/$image" | grep -qiE 'DLL Name: (comdlg32|shell32|comctl32)' &&
        fail "$image imports a library that loads at its first use"
done

while read -r dll kind rest; do
    read -ra exports <<<"$rest"
    bash "$root/scripts/check-dll-exports.sh" i686-w64-mingw32-objdump "$files/$dll" "$kind" "${exports[@]}" \
        >/dev/null ||
        fail "$dll's exports"
done < <(grep -v '^#' "$root/libs/exports.txt")

finish "zavodo-$version-win32.zip and zavodo-$version-setup.exe as expected"
