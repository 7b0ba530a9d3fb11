#!/usr/bin/env bash
# Builds Velmora and runs every test: first the normal build, then the same
# suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
# VELMORA_SKIP_SANITIZE=1 leaves out the second build.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

velmora_require_packages "${VELMORA_BUILD_PACKAGES[@]}" "${VELMORA_TEST_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen

velmora_build "$VELMORA_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$VELMORA_ROOT/build" && ctest -j2 --output-on-failure)

if [ "${VELMORA_SKIP_SANITIZE:-0}" != 1 ]; then
    export ASAN_OPTIONS=abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    velmora_build "$VELMORA_ROOT/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON
    (cd "$VELMORA_ROOT/build-sanitize" && ctest -j2 --output-on-failure)
fi
