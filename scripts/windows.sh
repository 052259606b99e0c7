#!/usr/bin/env bash
# The Windows build of the game, cross-compiled here with mingw-w64:
#   scripts/windows.sh build   makes build/windows/tilvara.exe (one static 64-bit program that
#                              needs no DLL beside it) and build/windows/tilvara-windows.zip
#                              (the program, its licence texts and a short read-me)
#   scripts/windows.sh play    builds it and starts it under wine (needs a display)
# Installs what the build needs first, as scripts/install-deps.sh --windows.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

what=${1:-}
if [[ $what != build && $what != play ]]; then
    sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'
    [[ $what == -h || $what == --help ]] && exit 0
    exit 2
fi

bash scripts/install-deps.sh --windows
# The program alone needs no GoogleTest; a build directory the test command configured keeps
# its tests.
tests=()
[[ -f build/windows-build/CMakeCache.txt ]] || tests=(-DTILVARA_BUILD_TESTS=OFF)
cmake --preset windows "${tests[@]}"
cmake --build --preset windows --target tilvara tilvara_zip --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-2}"
echo "windows: build/windows/tilvara.exe and build/windows/tilvara-windows.zip"
[[ $what == play ]] && exec wine build/windows/tilvara.exe
exit 0
