#!/bin/sh
# Builds the benchmarks and runs them once on small inputs, so that they keep building and working. The run
# checks that the generated catalogues are exactly what CINIHoop::SaveAs writes and that every engine loads
# them; the times are printed but not judged.
set -eu
cd "$(dirname "$0")/.."
./scripts/deps.sh --all
cmake -S . -B build-ci-bench -DBREVANT_BENCH=ON -DCMAKE_BUILD_TYPE=Release -DBREVANT_TESTS=OFF \
    -DBREVANT_TOOLS=OFF >/dev/null
cmake --build build-ci-bench -j"$(nproc)" --target brevant_bench brevant_bench_gen
./build-ci-bench/bench/brevant_bench_gen 2 3 1 7 | grep -q '^\[hoops.hoop1.mounts.mount0\]'
./build-ci-bench/bench/brevant_bench --quick --benchmark_min_time=0.01
