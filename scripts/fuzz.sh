#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each for the given number of seconds
# (default 60) over its seed corpus in tests/fuzz/corpus.
#
#   ./scripts/fuzz.sh [seconds] [target...]
#
# Targets: fuzz_evaluate fuzz_prepare fuzz_samples fuzz_numbers (all when
# none is named). Inputs may grow as long as the program takes them: 32,767
# characters of expression for fuzz_prepare, the same after the 8 bytes of x
# for fuzz_evaluate, 4 MB of samples file for fuzz_samples; fuzz_numbers
# keeps libFuzzer's own limit. libFuzzer lengthens its inputs step by step,
# so a short run stays on short inputs. New inputs the fuzzer finds go to
# build-fuzz/corpus/, never into the committed seeds; a failing input is
# saved in build-fuzz/findings/ and the script fails. Add such an input to
# the seeds once it is fixed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_evaluate fuzz_prepare fuzz_samples fuzz_numbers)

velmora_require_packages "${VELMORA_BUILD_PACKAGES[@]}" "${VELMORA_FUZZ_PACKAGES[@]}"

build="$VELMORA_ROOT/build-fuzz"
CC=clang CXX=clang++ velmora_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON

export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/findings"
for target in "${targets[@]}"; do
    seeds="$VELMORA_ROOT/tests/fuzz/corpus/$target"
    work="$build/corpus/$target"
    [ -d "$seeds" ] || { echo "No seed corpus for $target" >&2; exit 1; }
    mkdir -p "$work"
    echo "== $target: ${seconds} s"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$build/findings/$target-")
    case "$target" in
        fuzz_evaluate | fuzz_prepare) options+=(-dict="$VELMORA_ROOT/tests/fuzz/expression.dict") ;;
    esac
    case "$target" in
        fuzz_evaluate) options+=(-max_len=$((8 + 32767))) ;;
        fuzz_prepare) options+=(-max_len=32767) ;;
        fuzz_samples) options+=(-max_len=$((4 * 1024 * 1024))) ;;
    esac
    "$build/fuzzers/$target" "${options[@]}" "$work" "$seeds"
done
