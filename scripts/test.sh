#!/usr/bin/env bash
# The test command: installs the test dependencies, checks formatting and that the core stays free
# of Qt, then builds and runs every test under the `default` preset, builds and checks the Debian
# package, builds and runs every test again under `asan`, and builds the browser page with the
# core's tests in WebAssembly (`web`): those run under node, and the page in headless chromium.
# Last, the Windows program and the core's tests cross-compiled with mingw-w64 (`windows`), run
# under wine: the tests, and the program played in a private X server.
# Needs no terminal and no display: the smoke tests start their own Xvfb.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1

export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-2}
# The tests must not reach a developer's desktop; the smoke tests set up their own display.
unset DISPLAY WAYLAND_DISPLAY

started=$SECONDS
results=()
failed=0

# Runs one step, prints its time and remembers the outcome for the summary.
step() {
    local name=$1
    shift
    local begin=$SECONDS
    echo
    echo "==== $name"
    if "$@"; then
        results+=("ok      $name ($((SECONDS - begin)) s)")
        return 0
    fi
    results+=("FAILED  $name ($((SECONDS - begin)) s)")
    failed=1
    return 1
}

skip() {
    results+=("skipped $1 (${2})")
}

summary() {
    echo
    echo "==== summary ($((SECONDS - started)) s)"
    printf '  %s\n' "${results[@]}"
    if ((failed)); then
        echo "test.sh: FAILED"
    else
        echo "test.sh: all steps passed"
    fi
}

# shellcheck disable=SC2317  # run through step()
check_format() {
    local tracked=() files=() file
    mapfile -d '' tracked < <(git ls-files -z -- \
        'game/*.cpp' 'game/*.h' 'ui/*.cpp' 'ui/*.h' 'web/*.cpp' 'web/*.h' 'win/*.cpp' 'win/*.h' \
        'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
    # A tracked file deleted in the work tree is not there to check.
    for file in "${tracked[@]}"; do
        [[ -f "$file" ]] && files+=("$file")
    done
    if ((${#files[@]} == 0)); then
        echo "no tracked C++ files: nothing to check"
        return 0
    fi
    echo "clang-format --dry-run --Werror on ${#files[@]} files"
    clang-format --dry-run --Werror "${files[@]}"
}

# shellcheck disable=SC2317  # run through step()
# game/ is the rules core: it must build and be tested without Qt.
check_core_without_qt() {
    local ok=0
    if grep -rnHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' game/; then
        echo "error: the files above, under game/, include Qt headers" >&2
        ok=1
    fi
    local lists=()
    mapfile -t lists < <(find game -name CMakeLists.txt -o -name '*.cmake')
    if ((${#lists[@]})) && grep -nHE '^[^#]*(Qt[0-9]*::|find_package[[:space:]]*\([[:space:]]*Qt)' \
        "${lists[@]}"; then
        echo "error: game/ must not find or link Qt (lines above)" >&2
        ok=1
    fi
    ((ok == 0)) && echo "game/ includes no Qt header and links no Qt"
    return "$ok"
}

# shellcheck disable=SC2317  # run through step()
# win/ is a front end: the texts the player reads and the timer switch stay in the core. Any
# string of the core's texts (game/texts.h, game/secondary_windows.h) found there is a copy.
check_windows_front_end() {
    local texts=() found=0
    mapfile -t texts < <(grep -ohP '"\K[^"\x00-\x7f][^"]+(?=")' game/texts.h game/secondary_windows.h |
        sort -u)
    if grep -rnHF --include='*.cpp' --include='*.h' "${texts[@]/#/-e}" win/; then
        echo "error: win/ repeats the core's texts (above)" >&2
        found=1
    fi
    if grep -rnHE 'case TimerId::|Timer[0-9]_Timer\(\)' win/ | grep -v 'rules_\.Timer1_Timer'; then
        echo "error: win/ switches on the core's timers (above)" >&2
        found=1
    fi
    ((found == 0)) && echo "win/ holds none of the core's ${#texts[@]} texts and no timer switch"
    return "$found"
}

# Builds and tests one preset; later steps are skipped once one fails. Fails only when the
# build did, so the package can still be checked after a failed test.
run_preset() {
    local preset=$1
    shift
    step "configure $preset" cmake --preset "$preset" "$@" || {
        skip "build $preset" "configure failed"
        skip "ctest $preset" "configure failed"
        return 1
    }
    step "build $preset" cmake --build --preset "$preset" --parallel "$CMAKE_BUILD_PARALLEL_LEVEL" || {
        skip "ctest $preset" "build failed"
        return 1
    }
    step "ctest $preset" ctest --preset "$preset" --output-on-failure \
        --parallel "$CTEST_PARALLEL_LEVEL"
    return 0
}

# shellcheck disable=SC2317  # run through step()
# Builds the Debian package from the default build and checks it as a distribution would: the
# menu entry and the AppStream metadata it ships, and lintian on the whole .deb. A checker that
# is not installed is left out.
check_package() {
    local dir=build/default debs deb unpacked ok=0
    rm -f "$dir"/tilvara_*.deb
    (cd "$dir" && cpack -G DEB) || return 1
    debs=("$dir"/tilvara_*.deb)
    deb=${debs[0]}
    unpacked=$(mktemp -d)
    dpkg-deb -x "$deb" "$unpacked" || ok=1
    if command -v desktop-file-validate >/dev/null; then
        echo "desktop-file-validate"
        desktop-file-validate "$unpacked"/usr/share/applications/*.desktop || ok=1
    fi
    if command -v appstreamcli >/dev/null; then
        echo "appstreamcli validate --no-net"
        appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml || ok=1
    fi
    rm -rf "$unpacked"
    if command -v lintian >/dev/null; then
        echo "lintian --pedantic $deb"
        # Info and pedantic tags are shown; only errors and warnings fail.
        lintian --pedantic --display-info --fail-on error,warning "$deb" || ok=1
    fi
    return "$ok"
}

if ! step "install test dependencies" bash scripts/install-deps.sh --test; then
    summary
    exit 1
fi
step "clang-format" check_format
step "game/ without Qt" check_core_without_qt
# Tests and the whole tree are forced on, in case scripts/play.sh configured this directory
# without them.
if run_preset default -DTILVARA_BUILD_UI=ON -DTILVARA_BUILD_TESTS=ON -DTILVARA_BUILD_BENCH=ON; then
    step "Debian package" check_package
else
    skip "Debian package" "build default failed"
fi
run_preset asan -DTILVARA_BUILD_UI=ON -DTILVARA_BUILD_TESTS=ON
run_preset web -DTILVARA_BUILD_TESTS=ON
step "win/ without the core's texts" check_windows_front_end
run_preset windows -DTILVARA_BUILD_TESTS=ON

summary
exit $failed
