# Helpers of the tool's end-to-end scripts, sourced by them: SCRIPT CASE BREVANT SOURCE_DIR WORK_DIR.
set -u
CASE=$1
BREVANT=$2
SOURCE=$3
WORK=$4
SAMPLE=$SOURCE/examples/hoops.ini
DATA=$SOURCE/tests/tool/data
rm -rf "$WORK" && mkdir -p "$WORK" && cd "$WORK" || exit 1

# Every run of the tool under test goes through here.
tool() { "$BREVANT" "$@"; }

fail() { echo "FAIL: $*" >&2; exit 1; }

# run STATUS ARGS...: runs the tool into out.txt and err.txt and insists on the exit status.
run() {
    tool "${@:2}" >out.txt 2>err.txt
    expect_status "$1" "${*:2}"
}

expect_status() {
    local got=$?
    [ "$got" -eq "$1" ] && return
    { echo "--- stdout" && cat out.txt && echo "--- stderr" && cat err.txt; } >&2
    fail "brevant $2 exited with $got, expected $1"
}

# has FILE PATTERN: the file holds a line that matches the extended regular expression.
has() {
    grep -E -q -- "$2" "$1" || { cat "$1" >&2; fail "$1 lacks /$2/"; }
}

# golden NAME: the tool printed exactly tests/tool/data/NAME.expected.
golden() { diff -u "$DATA/$1.expected" out.txt >&2; }

same_bytes() { cmp -s "$1" "$2" || fail "$1 and $2 differ"; }

# table: each line of standard input is "STATUS | ARGS | CHECK". The tool runs with ARGS as the shell reads
# them (variables, quotes and redirections work; standard input is empty unless redirected) and must exit
# with STATUS. CHECK is "out REGEX" or "err REGEX" (a line of stdout or stderr matches), "no REGEX" (no
# line of stdout matches), empty, or a shell command that must succeed. A row without STATUS and ARGS
# checks the run before it again.
table() {
    local status args check
    while IFS='|' read -r status args check; do
        status=${status// /}
        check=${check#"${check%%[! ]*}"}
        if [ -n "$status" ]; then
            eval "tool $args" </dev/null >out.txt 2>err.txt
            expect_status "$status" "$args"
        fi
        case $check in
        "") ;;
        "out "*) has out.txt "${check#out }" ;;
        "err "*) has err.txt "${check#err }" ;;
        "no "*) ! grep -E -q -- "${check#no }" out.txt || fail "stdout of brevant $args holds /${check#no }/" ;;
        *) eval "$check" || fail "after brevant $args: $check" ;;
        esac
    done
}
