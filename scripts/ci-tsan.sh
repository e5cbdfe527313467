#!/bin/sh
# Builds the threads test alone with ThreadSanitizer and runs it: different catalogues loaded, edited and saved
# on several threads at once must show no data race. BUILD_DIR sets the build directory (default build-tsan).
set -eu
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-tsan}"
jobs="$(nproc 2>/dev/null || echo 2)"
[ "$jobs" -le 2 ] || jobs=2

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBREVANT_TOOLS=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -O1 -g" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$build" -j"$jobs" --target brevant_thread_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$build/tests/brevant_thread_tests"
