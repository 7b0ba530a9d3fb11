# Shared by the build scripts: package installation and the build folders.
# Sourced, not run.

VELMORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What every build needs: compiler, CMake, Qt 6, the RandR library for
# switching display modes, and the fonts the windows use.
VELMORA_BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev libxrandr-dev fonts-liberation2 fonts-dejavu-core)
# What the tests need beyond the build: a virtual display, locale sources,
# the X input and screenshot tools that drive the program end to end, and a
# PDF renderer to read exported graphs back.
VELMORA_TEST_PACKAGES=(xvfb xauth locales xdotool imagemagick poppler-utils)
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

# Configures and builds the project in the given folder; extra arguments go
# to CMake's configure step.
velmora_build() {
    local dir="$1"
    shift
    cmake -S "$VELMORA_ROOT" -B "$dir" "$@"
    cmake --build "$dir" -j"$VELMORA_JOBS"
}
