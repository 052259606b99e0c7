#!/usr/bin/env bash
# The play command: installs what the build needs, builds the game (preset `default`) and starts it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "play: error: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "play: run this from a graphical desktop session, or with DISPLAY pointing at an X server." >&2
    exit 1
fi

bash scripts/install-deps.sh --build

jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
# The game alone needs neither GoogleTest nor Google Benchmark: leave both out unless this build
# directory was already configured with them (by scripts/test.sh).
if [[ -f build/default/CMakeCache.txt ]]; then
    cmake --preset default
else
    cmake --preset default -DTILVARA_BUILD_TESTS=OFF -DTILVARA_BUILD_BENCH=OFF
fi
cmake --build --preset default --target tilvara --parallel "$jobs"

exec build/default/ui/tilvara "$@"
