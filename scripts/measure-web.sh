#!/usr/bin/env bash
# Measures the browser page: builds it (preset `web`) with the browser driver of its tests,
# then loads it RUNS times (default 5) in headless chromium and prints medians: the transfer
# size (gzip), navigation to the painted rules window beside the same window as static HTML
# (loaded by turns, each in a fresh browser), 开始 to the painted board, a click to the painted
# selection, main-thread time per removal, the heap after 20 removals.
#   scripts/measure-web.sh [RUNS]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh --test >/dev/null
cmake --preset web -DTILVARA_BUILD_TESTS=ON >/dev/null
cmake --build --preset web --target tilvara_web web_files web_test_modules \
    --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-2}" >/dev/null
NODE_PATH=build/wasm/tests/web/node_modules node scripts/measure_web.js build/web "${1:-5}"
