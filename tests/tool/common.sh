# Helpers of the tool's end-to-end scripts, sourced after they set BREVANT and WORK.
rm -rf "$WORK" && mkdir -p "$WORK" && cd "$WORK" || exit 1

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# run STATUS ARGS...: runs the tool into out.txt and err.txt and insists on the exit status.
run() {
    local want=$1
    shift
    "$BREVANT" "$@" >out.txt 2>err.txt
    local got=$?
    if [ "$got" -ne "$want" ]; then
        echo "--- stdout" >&2 && cat out.txt >&2
        echo "--- stderr" >&2 && cat err.txt >&2
        fail "brevant $* exited with $got, expected $want"
    fi
}

# has FILE PATTERN: the file holds a line that matches the extended regular expression.
has() {
    grep -E -q -- "$2" "$1" || { cat "$1" >&2; fail "$1 lacks /$2/"; }
}

lacks() {
    ! grep -E -q -- "$2" "$1" || { cat "$1" >&2; fail "$1 holds /$2/"; }
}

same_bytes() {
    cmp -s "$1" "$2" || fail "$1 and $2 differ"
}

