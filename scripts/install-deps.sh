#!/usr/bin/env bash
# Installs the Debian 12 packages Tilvara needs, and only those that are missing.
#   scripts/install-deps.sh --build   compiler, CMake, Ninja, Qt 6, fonts: enough to build and play
#   scripts/install-deps.sh --web     emscripten, Node.js with npm, CMake, Ninja and the CJK font:
#                                     enough for scripts/web.sh (the browser build)
#   scripts/install-deps.sh --windows mingw-w64 (posix threads), wine, rsvg-convert, Python, CMake,
#                                     Ninja and the CJK font: enough for scripts/windows.sh
#   scripts/install-deps.sh --test    all of --build, --web and --windows, plus GoogleTest's
#                                     sources, Google Benchmark, Xvfb, xdotool, ImageMagick,
#                                     clang-format, chromium and the package checkers (lintian,
#                                     appstream): enough for scripts/test.sh
# Runs apt-get only when something is missing, as root or through sudo, without questions.
set -euo pipefail

# qt6-base-dev pulls the GL and Vulkan headers that find_package(Qt6 Gui) needs (libgl-dev,
# libglx-dev, libopengl-dev, libvulkan-dev) as hard dependencies. The xcb platform plugin is only
# a Recommends of libqt6gui6, so qt6-qpa-plugins is named; so is libgl-dev, which Qt's CMake
# files look for. `file` lets CPack read the binary's shared-library dependencies. The game asks
# the X server for the keyboard's state and repeats through xcb (libxcb1-dev, libxcb-xkb-dev,
# found with pkg-config).
BUILD_PACKAGES=(
    build-essential g++ cmake ninja-build git file
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
    pkg-config libxcb1-dev libxcb-xkb-dev
    fonts-noto-cjk
)
# xauth is only a Recommends of xvfb, and xvfb-run needs it. lintian, appstream (appstreamcli)
# and desktop-file-utils check the Debian package the way a distribution would. The
# accessibility smoke test reads the game through the at-spi bus in its own D-Bus session.
TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils imagemagick python3 python3-xlib
    clang-format desktop-file-utils lintian appstream
    dbus at-spi2-core python3-pyatspi
)

# The browser build: emscripten (with clang 14, binaryen and node-acorn) compiles the core to
# WebAssembly; node runs its tests and npm installs the page test's browser driver. A node
# that is already on PATH (a newer one from elsewhere, with its own npm) is kept. The page test
# drives Debian's chromium, headless.
WEB_PACKAGES=(cmake ninja-build emscripten fonts-noto-cjk nodejs npm)
WEB_TEST_PACKAGES=(googletest chromium)

# The Windows build: mingw-w64's GCC with posix threads cross-compiles the core and the Win32
# program, rsvg-convert renders the tile pictures into it, and wine runs the program and its
# tests (wine64 holds the 64-bit loader, wine the `wine` command). GoogleTest's sources
# (googletest) are built for Windows by the tests.
WINDOWS_PACKAGES=(cmake ninja-build python3 librsvg2-bin fonts-noto-cjk
    g++-mingw-w64-x86-64-posix wine64 wine)

usage() {
    sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'
}

want=()
case "${1:-}" in
    --build) want=("${BUILD_PACKAGES[@]}") ;;
    --web) want=("${WEB_PACKAGES[@]}") ;;
    --windows) want=("${WINDOWS_PACKAGES[@]}") ;;
    --test) want=("${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WEB_PACKAGES[@]}"
        "${WEB_TEST_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}") ;;
    -h | --help)
        usage
        exit 0
        ;;
    *)
        usage >&2
        exit 2
        ;;
esac

missing=()
for package in "${want[@]}"; do
    # Node.js from another source (say nodesource's nodejs, which brings its own npm) serves
    # as well as Debian's, and Debian's npm would not install beside it.
    if [[ "$package" == nodejs ]] && command -v node >/dev/null; then continue; fi
    if [[ "$package" == npm ]] && command -v npm >/dev/null; then continue; fi
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    echo "install-deps: all ${#want[@]} packages are installed"
    exit 0
fi

echo "install-deps: installing ${missing[*]}"

if [[ $(id -u) -eq 0 ]]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    # Without a terminal sudo cannot ask for a password: fail at once instead of hanging.
    if [[ -t 0 ]]; then
        as_root=(sudo)
    else
        as_root=(sudo -n)
    fi
else
    echo "install-deps: error: missing packages (${missing[*]}), and this is neither root" \
        "nor has sudo. Install them as root: apt-get install ${missing[*]}" >&2
    exit 1
fi

apt_options=(-q -y --no-install-recommends -o Dpkg::Use-Pty=0 -o DPkg::Lock::Timeout=300)
if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=300 \
    update; then
    echo "install-deps: error: apt-get update failed" >&2
    exit 1
fi
if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install "${apt_options[@]}" \
    "${missing[@]}" </dev/null; then
    echo "install-deps: error: could not install ${missing[*]}" >&2
    exit 1
fi
echo "install-deps: installed ${#missing[@]} package(s)"
