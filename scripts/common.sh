# Shared by the build scripts: package installation and the build folders.
# Sourced, not run.

VELMORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What every build needs: compiler, CMake, Qt 6 with its SVG module (the
# icon files and the SVG export are drawn with it), the RandR library for
# switching display modes, the fonts the windows use, and Boost's header-only
# root and minimum finders (for the points of interest of curves).
VELMORA_BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev libxrandr-dev fonts-liberation2 fonts-dejavu-core
                        libboost-dev)
# What the tests need beyond the build: a virtual display, locale sources,
# the X input and screenshot tools that drive the program end to end, and a
# PDF renderer to read exported graphs back.
VELMORA_TEST_PACKAGES=(xvfb xauth locales xdotool imagemagick poppler-utils xclip)
# What making the Debian package needs beyond the build: dpkg-shlibdeps
# (dpkg-dev) and file, with which CPack finds the libraries the program uses.
VELMORA_PACKAGE_PACKAGES=(dpkg-dev file)
# What checking the package needs beyond the tests: the validators of the
# desktop entry and of the AppStream metadata, and Debian's package checker.
VELMORA_PACKAGE_CHECK_PACKAGES=(desktop-file-utils appstream lintian shared-mime-info)
# What the fuzz targets need: clang and its sanitizer and libFuzzer runtimes.
VELMORA_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# Builds and test runs use every core of the machine.
VELMORA_JOBS="$(nproc)"

# Installs the given Debian packages that are not installed yet.
velmora_require_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing missing packages: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}

# The Debian package's build folder; scripts/package.sh makes the package there.
VELMORA_PACKAGE_BUILD="$VELMORA_ROOT/build-package"

# Configures and builds the project in the given folder; extra arguments go
# to CMake's configure step.
velmora_build() {
    local dir="$1"
    shift
    cmake -S "$VELMORA_ROOT" -B "$dir" "$@"
    cmake --build "$dir" -j"$VELMORA_JOBS"
}
