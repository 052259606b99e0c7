#!/usr/bin/env bash
# The play command: installs what the build needs, builds the game (preset `default`) and starts it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# The game opens its windows through X (the xcb platform plugin); no Wayland plugin is
# installed, so a Wayland desktop serves only through its X server (Xwayland), which sets DISPLAY.
if [[ -z "${DISPLAY:-}" ]]; then
    if [[ -n "${WAYLAND_DISPLAY:-}" ]]; then
        echo "play: error: this Wayland session has no X server (DISPLAY is not set)." >&2
        echo "play: the game needs X: enable Xwayland in your desktop, or log in to an X session." >&2
    else
        echo "play: error: no display (DISPLAY is not set)." >&2
        echo "play: run this from a graphical desktop session, or with DISPLAY pointing at an X server." >&2
    fi
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

# Under Wayland Qt would look for its Wayland plugin first and warn that it is missing.
exec env QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-xcb}" build/default/ui/tilvara "$@"
