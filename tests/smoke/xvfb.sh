# shellcheck shell=bash
# Sourced by the smoke tests: start_xvfb starts a private Xvfb on a free display and exports
# DISPLAY. On exit the server and the game the test started (its pid in $pid) are stopped.
xvfb=
pid=
cleanup() {
    # A kill that fails (the game already gone) must not stop the clean-up under set -e.
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
}
trap cleanup EXIT

# Prints the first visible window the search arguments find, within about 30 s. Polled, never
# `xdotool search --sync`: a search that meets a window as it is destroyed (the rules window
# closing) dies of an X error.
wait_window() {
    local found
    for _ in $(seq 300); do
        found=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1 || true)
        if [ -n "$found" ]; then
            echo "$found"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

start_xvfb() {
    xvfb=
    # Another program may grab the display between the check and the start, so a server
    # that dies or never answers means trying the next.
    for _ in $(seq 10); do
        local n=$((200 + RANDOM % 700))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
        xvfb=$!
        for _ in $(seq 50); do
            DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.1
        done
        if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
            export DISPLAY=":$n"
            return 0
        fi
        kill "$xvfb" 2>/dev/null || true
        xvfb=
    done
    return 1
}
