#!/usr/bin/env bash
# The Windows build of the game, cross-compiled here with mingw-w64:
#   scripts/windows.sh build   makes build/windows/tilvara.exe (one static 64-bit program that
#                              needs no DLL beside it) and build/windows/tilvara-windows.zip
#                              (the program, its licence texts and a short read-me)
#   scripts/windows.sh play    builds it and starts it under wine (needs a display)
# Installs what the build needs first, as scripts/install-deps.sh --windows.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

usage() {
    sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'
}

case "${1:-}" in
    build | play) ;;
    -h | --help)
        usage
        exit 0
        ;;
    *)
        usage >&2
        exit 2
        ;;
esac

bash scripts/install-deps.sh --windows

jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
# The program alone needs no GoogleTest: leave the tests out unless this build directory was
# already configured with them (by scripts/test.sh).
if [[ -f build/windows-build/CMakeCache.txt ]]; then
    cmake --preset windows
else
    cmake --preset windows -DTILVARA_BUILD_TESTS=OFF
fi
cmake --build --preset windows --target tilvara tilvara_zip --parallel "$jobs"
echo "windows: build/windows/tilvara.exe and build/windows/tilvara-windows.zip"

if [[ $1 == play ]]; then
    exec wine build/windows/tilvara.exe
fi
