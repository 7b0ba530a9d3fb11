#!/usr/bin/env bash
# Builds the Debian package: an optimised build (RelWithDebInfo, -O2, the
# debugging symbols stripped from the package) without the tests in
# build-package/, installed to /usr by CPack, which computes the package's
# dependencies with dpkg-shlibdeps. Prints where the .deb is.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

velmora_require_packages "${VELMORA_BUILD_PACKAGES[@]}" "${VELMORA_PACKAGE_PACKAGES[@]}"

build="$VELMORA_PACKAGE_BUILD"
velmora_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
rm -f "$build"/velmora_*.deb
(cd "$build" && cpack -G DEB)
deb=("$build"/velmora_*.deb)
[ -f "${deb[0]}" ] || { echo "package.sh: CPack made no .deb in $build" >&2; exit 1; }
echo "Package: ${deb[0]}"
