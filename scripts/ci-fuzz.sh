#!/bin/sh
# Builds the libFuzzer targets with clang and runs each one briefly on a copy of its seed corpus (fuzz/corpus/).
# Fails on any crash, leak, timeout or broken expectation. FUZZ_SECONDS sets the time per target (default 60);
# BUILD_DIR the build directory (default build-fuzz). The findings are kept under $BUILD_DIR/fuzz-findings.
set -eu
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
jobs="$(nproc 2>/dev/null || echo 2)"
[ "$jobs" -le 2 ] || jobs=2

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREVANT_FUZZ=ON -DBREVANT_TESTS=OFF \
    -DBREVANT_TOOLS=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target fuzz_ini_text fuzz_ini_binary fuzz_hoop_roundtrip fuzz_hoop_allocfail \
    fuzz_catalogue_memory

findings="$build/fuzz-findings"
rm -rf "$findings"
mkdir -p "$findings"
status=0
for target in fuzz_ini_text fuzz_ini_binary fuzz_hoop_roundtrip fuzz_hoop_allocfail fuzz_catalogue_memory; do
    run_seconds="$seconds"
    case "$target" in
    fuzz_ini_binary) max_len=8192 ;;
    # The file and memory paths share every loader the other targets fuzz: a quarter of the time does.
    fuzz_catalogue_memory) max_len=20000 run_seconds=$((seconds / 4 + 1)) ;;
    *) max_len=20000 ;;
    esac
    work="$findings/$target"
    mkdir -p "$work/corpus"
    echo "== $target for ${run_seconds}s"
    if ! ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1" \
        "$build/fuzz/$target" -max_total_time="$run_seconds" -max_len="$max_len" -dict=fuzz/ini.dict -timeout=20 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "fuzz/corpus/$target" \
        >"$work/log" 2>&1; then
        echo "$target failed; its log and the input that broke it are in $work:"
        tail -n 60 "$work/log"
        status=1
    else
        grep -E '^#[0-9]+.*(DONE|cov:)' "$work/log" | tail -n 1
    fi
done
exit "$status"
