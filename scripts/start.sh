#!/usr/bin/env bash
# Builds Velmora and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

velmora_require_packages "${VELMORA_BUILD_PACKAGES[@]}"
velmora_build "$VELMORA_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$VELMORA_ROOT/build/bin/velmora" "$@"
