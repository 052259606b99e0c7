# shellcheck shell=bash
# Sourced by the measuring scripts: start_private_xvfb starts an Xvfb on a display nobody
# holds and exports DISPLAY; a display whose lock or socket exists is never touched, and the
# lock must name our own server, so a run can never reach another X server. An optional
# argument sets the screen size (default 1280x1024), e.g. start_private_xvfb 3840x2160.
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
