#!/usr/bin/env bash
# Packs the 32-bit release from the win32 build (make dist):
#   make-dist.sh [BUILD_ROOT [DIST_DIR]]          defaults: build, dist
# writes DIST_DIR/zavodo-<version>-win32.zip and DIST_DIR/zavodo-<version>-setup.exe, holding
# the same files: the program, its three DLLs, the stand-in compiler, the help pages, the
# samples and the user guide. The version is the one in the file VERSION. The staged tree and
# the installer's file list stay in BUILD_ROOT/dist-stage.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
B=$(cd "${1:-build}" && pwd)
dist=${2:-$root/dist}
bin=$B/win32/bin

fail() {
    echo "make-dist: $*" >&2
    exit 1
}

version=$(head -n 1 "$root/VERSION")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "VERSION holds '$version', not MAJOR.MINOR.PATCH"
for tool in zip makensis i686-w64-mingw32-strip; do
    command -v "$tool" >/dev/null || fail "$tool is missing (make deps installs it)"
done
binaries=(ZAVODO.EXE DEZ32.DLL VUZUZE32.DLL QVDSK32.DLL ZURIRIRU.EXE)
for file in "${binaries[@]}"; do
    [ -f "$bin/$file" ] || fail "$bin/$file is missing: make B=$B win32 first"
done

# The staged tree, as it is installed. The static runtimes bring debug sections and symbol
# tables; the release leaves them out (exports and resources stay). The help pages come from
# help/ with the build's own patterns (help/CMakeLists.txt), so that a page removed there
# cannot linger from an older build's bin/help.
work=$B/dist-stage
stage=$work/zavodo-$version
rm -rf "$work"
mkdir -p "$stage/help" "$stage/samples"
for file in "${binaries[@]}"; do
    i686-w64-mingw32-strip --strip-all -o "$stage/$file" "$bin/$file"
done
cp "$root"/help/*.html "$root"/help/*.css "$stage/help/"
cp "$root/samples/DEMO.KSR" "$root/samples/KESTREL.INC" "$stage/samples/"
sed 's/$/\r/' "$root/docs/USER_GUIDE.txt" >"$stage/USER_GUIDE.TXT"  # CR LF for Notepad

# The installer's file list: every staged file installed, and removed again one by one.
winpath() { local p=${1#./}; [ "$p" = . ] && p=; p=${p//\//\\}; echo "\$INSTDIR${p:+\\$p}"; }
payload=$work/payload.nsh
(
    cd "$stage"
    echo '!macro InstallFiles'
    find . -type d | sort | while read -r dir; do
        echo "    SetOutPath \"$(winpath "$dir")\""
        find "$dir" -maxdepth 1 -type f | sort | while read -r file; do
            echo "    File \"$stage/${file#./}\""
        done
    done
    echo '!macroend'
    echo '!macro UninstallFiles'
    find . -type f | sort | while read -r file; do echo "    Delete \"$(winpath "$file")\""; done
    find . -mindepth 1 -type d | sort -r | while read -r dir; do echo "    RMDir \"$(winpath "$dir")\""; done
    echo '!macroend'
) >"$payload"

mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
zip_file=$dist/zavodo-$version-win32.zip
setup_file=$dist/zavodo-$version-setup.exe
rm -f "$zip_file" "$setup_file"
(cd "$work" && zip -q -r -X "$zip_file" "zavodo-$version")
makensis -V2 -WX -DVERSION="$version" -DPAYLOAD="$payload" -DOUTFILE="$setup_file" \
    "$root/tools/installer/zavodo.nsi"
ls -l "$zip_file" "$setup_file"
