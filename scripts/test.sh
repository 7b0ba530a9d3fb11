#!/usr/bin/env bash
# Builds Velmora and runs every test: first the normal build (unit tests and
# the end-to-end run of the program on a virtual display), then the Debian
# package is made and checked, then the same suite built with
# AddressSanitizer and UndefinedBehaviorSanitizer (and the evaluator's scan
# in its standard C++ form, without label addresses), then each fuzz target for
# 20 seconds over its seeds.
# VELMORA_SKIP_SANITIZE=1 leaves out the sanitizer build, VELMORA_SKIP_FUZZ=1
# the fuzzing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# clang is installed by the fuzz script, and only when it runs.
velmora_require_packages "${VELMORA_BUILD_PACKAGES[@]}" "${VELMORA_TEST_PACKAGES[@]}" \
    "${VELMORA_PACKAGE_PACKAGES[@]}" "${VELMORA_PACKAGE_CHECK_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen

velmora_build "$VELMORA_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$VELMORA_ROOT/build" && ctest -j"$VELMORA_JOBS" --output-on-failure)

"$VELMORA_ROOT/scripts/package.sh"
"$VELMORA_ROOT/scripts/check-package.sh"

if [ "${VELMORA_SKIP_SANITIZE:-0}" != 1 ]; then
    export ASAN_OPTIONS=abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    # Built with the evaluator's steps as a switch, the standard C++ form.
    velmora_build "$VELMORA_ROOT/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON \
        -DVELMORA_COMPUTED_GOTO=OFF
    (cd "$VELMORA_ROOT/build-sanitize" && ctest -j"$VELMORA_JOBS" --output-on-failure)
fi

if [ "${VELMORA_SKIP_FUZZ:-0}" != 1 ]; then
    "$VELMORA_ROOT/scripts/fuzz.sh" 20
fi
