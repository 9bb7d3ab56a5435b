# Shared by the release checks: failures are counted and all reported, then the script ends.
#   . checks.sh <script name>
check_name=$1
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
finish() {  # finish <what passed>
    [ "$failures" -eq 0 ] || { echo "$check_name: $failures check(s) failed" >&2; exit 1; }
    echo "$check_name: $1"
}
