#!/bin/sh
# Runs a sample build, load, edit and save of hoop catalogues under valgrind memcheck: the example host, and the
# brevant tool converting INI text and binary INI and turning a hoop. Exits non-zero on any memory error or leak.
# BUILD_DIR sets the (non-sanitizer) build directory to use (default build, as scripts/test.sh makes it).
set -eu
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
if ! command -v valgrind >/dev/null 2>&1; then
    echo "valgrind is not installed (scripts/deps.sh --all installs it)"
    exit 1
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target example_host
tool=""
if [ -e tools/CMakeLists.txt ] && cmake --build "$build" -j2 --target brevant_tool >/dev/null 2>&1; then
    tool="$build/tools/brevant"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT INT TERM
status=0
check() {
    echo "== valgrind $*"
    if ! valgrind --quiet --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect,possible \
        --errors-for-leak-kinds=definite,indirect,possible --track-origins=yes "$@" >"$work/out" 2>&1; then
        cat "$work/out"
        status=1
    fi
}

check "$build/examples/example_host" "$work/host.ini"
if [ -n "$tool" ]; then
    check "$tool" convert examples/hoops.ini "$work/converted.ini"
    check "$tool" convert fuzz/corpus/fuzz_hoop_roundtrip/catalogue.inb "$work/from-binary.ini"
    check "$tool" rotate "$work/converted.ini" 1 90 -o "$work/rotated.ini"
    check "$tool" list "$work/rotated.ini"
else
    echo "(no brevant tool: only the example host was checked)"
fi
[ "$status" -eq 0 ] && echo "valgrind: no errors, no leaks"
exit "$status"
