# shellcheck shell=bash
# The one X server helper, sourced by every smoke test and measuring script: start_private_xvfb
# starts an Xvfb on a display nobody holds and exports DISPLAY; a display whose lock or socket
# exists is never touched, and the lock must name our own server, so a run can never reach
# another X server, not even one that took the display between the look and the start. An
# optional argument sets the screen size (default 1280x1024), e.g. start_private_xvfb 3840x2160.
# stop_private_xvfb stops it; wait_window waits for a window.
private_xvfb=
stop_private_xvfb() { if [ -n "$private_xvfb" ]; then kill "$private_xvfb" 2>/dev/null || true; fi; }

# shellcheck disable=SC2120  # the screen size is optional
start_private_xvfb() {
    local n
    for n in $(seq 300 399); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${1:-1280x1024}x24" -noreset -nolisten tcp >/dev/null 2>&1 &
        private_xvfb=$!
        for _ in $(seq 50); do
            kill -0 "$private_xvfb" 2>/dev/null || break
            if [ "$(tr -d ' ' 2>/dev/null <"/tmp/.X$n-lock")" = "$private_xvfb" ] &&
                DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            sleep 0.1
        done
        stop_private_xvfb
        private_xvfb=
    done
    return 1
}

# Prints the first visible window the xdotool search arguments find, within about 30 s.
# Polled, never `xdotool search --sync`: a search that meets a window as it is destroyed (the
# rules window closing) dies of an X error.
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
