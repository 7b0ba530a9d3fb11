#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench/) and runs them: the
# evaluator's, the graph window's redraw, the keypad's, then the heaviest
# inputs the program accepts. Extra arguments go to all
# benchmark programs, for example
#   scripts/bench.sh --benchmark_min_time=0.2
#   scripts/bench.sh --benchmark_filter='sum20' --benchmark_repetitions=5
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

velmora_require_packages "${VELMORA_BUILD_PACKAGES[@]}" libbenchmark-dev libmuparser-dev

build_dir="$VELMORA_ROOT/build-bench"
cmake -S "$VELMORA_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF
cmake --build "$build_dir" --target velmora_bench velmora_bench_plot velmora_bench_keypad velmora_bench_inputs -j"$VELMORA_JOBS"
"$build_dir/bin/velmora_bench" "$@"
"$build_dir/bin/velmora_bench_plot" "$@"
QT_QPA_PLATFORM=offscreen "$build_dir/bin/velmora_bench_keypad" "$@"
QT_QPA_PLATFORM=offscreen "$build_dir/bin/velmora_bench_inputs" "$@"
