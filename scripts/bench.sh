#!/usr/bin/env bash
# Builds the evaluator benchmark (Release, in build-bench/) and runs it.
# Extra arguments go to the benchmark program, for example
#   scripts/bench.sh --benchmark_min_time=0.2
#   scripts/bench.sh --benchmark_filter='sum20' --benchmark_repetitions=5
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

velmora_require_packages "${VELMORA_BUILD_PACKAGES[@]}" libbenchmark-dev libmuparser-dev

build_dir="$VELMORA_ROOT/build-bench"
cmake -S "$VELMORA_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF
cmake --build "$build_dir" --target velmora_bench -j2
exec "$build_dir/bin/velmora_bench" "$@"
