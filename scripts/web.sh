#!/usr/bin/env bash
# The browser build of the game:
#   scripts/web.sh build          makes build/web/: index.html, the page's script and styles,
#                                 tilvara.js and tilvara.wasm, the art; a static folder that any
#                                 web server can host
#   scripts/web.sh serve [PORT]   builds it and serves it on http://localhost:8080 (or PORT)
# Installs what the build needs first (emscripten, Node.js), as scripts/install-deps.sh --web.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

usage() {
    sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
}

case "${1:-}" in
    build | serve) ;;
    -h | --help)
        usage
        exit 0
        ;;
    *)
        usage >&2
        exit 2
        ;;
esac

bash scripts/install-deps.sh --web

jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
# The page alone needs neither GoogleTest nor the browser test's npm packages: leave the tests
# out unless this build directory was already configured with them (by scripts/test.sh).
if [[ -f build/wasm/CMakeCache.txt ]]; then
    cmake --preset web
else
    cmake --preset web -DTILVARA_BUILD_TESTS=OFF
fi
cmake --build --preset web --target tilvara_web web_files --parallel "$jobs"
echo "web: the page is in build/web/"

if [[ $1 == serve ]]; then
    exec node scripts/web_server.js build/web "${2:-8080}"
fi
