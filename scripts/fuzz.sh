#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each for the given number of seconds
# (default 60) over its seed corpus in tests/fuzz/corpus.
#
#   ./scripts/fuzz.sh [seconds] [target...]
#
# Targets: fuzz_evaluate fuzz_prepare fuzz_samples fuzz_numbers fuzz_session (all when
# none is named). Inputs may grow as long as the program takes them: 32,767
# characters of expression for fuzz_prepare, the same after the 8 bytes of x
# for fuzz_evaluate, 4 MB of samples file for fuzz_samples and of session
# for fuzz_session; fuzz_numbers
# keeps libFuzzer's own limit. Besides the committed seeds each run starts
# from seeds of those largest sizes, made in build-fuzz/large-seeds/; and
# since libFuzzer lengthens its inputs step by step, the last third of a run
# of 60 seconds or more tries every length at once. New inputs the fuzzer finds go to
# build-fuzz/corpus/, never into the committed seeds; a failing input is
# saved in build-fuzz/findings/ and the script fails. Add such an input to
# the seeds once it is fixed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_evaluate fuzz_prepare fuzz_samples fuzz_numbers fuzz_session)

velmora_require_packages "${VELMORA_BUILD_PACKAGES[@]}" "${VELMORA_FUZZ_PACKAGES[@]}"

build="$VELMORA_ROOT/build-fuzz"
CC=clang CXX=clang++ velmora_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON

export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/findings"

# Seeds at the largest sizes the program takes, made afresh for each run
# rather than kept in the repository: entries of 32,765 characters in the
# forms that cost the normaliser and the evaluator most, the same after the
# eight bytes of x, and samples files of about 4 MB.
large="$build/large-seeds"
rm -rf "$large"
mkdir -p "$large/fuzz_prepare" "$large/fuzz_evaluate" "$large/fuzz_samples" "$large/fuzz_numbers" "$large/fuzz_session"
repeat() { awk -v text="$1" -v length_="$2" 'BEGIN { s = text; while (length(s) < length_) s = s s; printf "%s", substr(s, 1, length_) }'; }
entry=0
for part in sin 2x x+ "x*(" "sin (" "((" "1e3*x^" "srt(x)-"; do
    entry=$((entry + 1))
    repeat "$part" 32765 >"$large/fuzz_prepare/entry$entry"
    { printf '\0\0\0\0\0\0\360\077('; repeat "$part" 32766; } >"$large/fuzz_evaluate/entry$entry"
done
repeat $'sin(x)\n' $((4 * 1024 * 1024 - 16)) >"$large/fuzz_samples/lines"
{ for _ in $(seq 120); do repeat "x+" 32765; printf '\r\n'; done; } >"$large/fuzz_samples/longest"
{
    printf '{"format": "velmora-session", "version": 1, "expressions": ['
    for i in $(seq 120); do
        [ "$i" = 1 ] || printf ', '
        printf '"'; repeat "x+" 32765; printf '"'
    done
    printf ']}'
} >"$large/fuzz_session/longest"

for target in "${targets[@]}"; do
    seeds="$VELMORA_ROOT/tests/fuzz/corpus/$target"
    work="$build/corpus/$target"
    [ -d "$seeds" ] || { echo "No seed corpus for $target" >&2; exit 1; }
    mkdir -p "$work"
    options=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$build/findings/$target-")
    case "$target" in
        fuzz_evaluate | fuzz_prepare) options+=(-dict="$VELMORA_ROOT/tests/fuzz/expression.dict") ;;
    esac
    case "$target" in
        fuzz_evaluate) options+=(-max_len=$((8 + 32767))) ;;
        fuzz_prepare) options+=(-max_len=32767) ;;
        fuzz_samples | fuzz_session) options+=(-max_len=$((4 * 1024 * 1024))) ;;
    esac
    # libFuzzer lengthens its inputs step by step, so in a run of a few
    # minutes they stay far below the largest; in a run of a minute or more
    # the last third tries inputs of every length at once.
    full=0
    [ "$seconds" -ge 60 ] && full=$((seconds / 3))
    echo "== $target: $((seconds - full)) s"
    "$build/fuzzers/$target" "${options[@]}" -max_total_time=$((seconds - full)) "$work" "$seeds" "$large/$target"
    if [ "$full" -gt 0 ]; then
        echo "== $target: ${full} s at every length"
        "$build/fuzzers/$target" "${options[@]}" -len_control=0 -max_total_time="$full" "$work" "$seeds" "$large/$target"
    fi
done
