#!/usr/bin/env bash
# Checks that a DLL's export table holds exactly the given interface, on the build host:
#   check-dll-exports.sh OBJDUMP DLL names NAME...      exactly these names
#   check-dll-exports.sh OBJDUMP DLL ordinals N...      exactly these ordinals, and no names
set -u
objdump=$1 dll=$2 kind=$3
shift 3
dump=$("$objdump" -p "$dll") || { echo "cannot read $dll" >&2; exit 1; }
grep -q "There is an export table" <<<"$dump" || { echo "$dll has no export table" >&2; exit 1; }

# Lines "[   i] +base[  n] rva Export RVA" of the address table give the ordinals.
ordinals=$(sed -n '/^Export Address Table -- Ordinal Base/,/^$/p' <<<"$dump" |
    sed -n 's/.*+base\[ *\([0-9]*\)\].*/\1/p' | sort -n | tr '\n' ' ')
# Lines "[   i] name" after "[Ordinal/Name Pointer] Table" give the names.
names=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
    sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p' | sort | tr '\n' ' ')

want=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
case $kind in
names)
    [ "$names" = "$want" ] || { echo "$dll exports names [$names], expected [$want]" >&2; exit 1; }
    count=$(wc -w <<<"$ordinals")
    [ "$count" -eq $# ] || { echo "$dll has $count exports, expected $#" >&2; exit 1; }
    ;;
ordinals)
    want=$(printf '%s\n' "$@" | sort -n | tr '\n' ' ')
    [ "$ordinals" = "$want" ] || { echo "$dll exports ordinals [$ordinals], expected [$want]" >&2; exit 1; }
    [ -z "$names" ] || { echo "$dll exports names [$names], expected none" >&2; exit 1; }
    ;;
*)
    echo "unknown check $kind" >&2
    exit 2
    ;;
esac
echo "$dll: exports as expected"
