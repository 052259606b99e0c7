#!/usr/bin/env bash
# Runs a Windows console program under wine in a fresh prefix of its own, with no display (its
# windows drawn by wine's null driver), and exits with the program's exit code.
set -uo pipefail
# shellcheck source=tests/win/wine_prefix.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh"
unset DISPLAY
trap drop_wine_prefix EXIT
new_wine_prefix || { echo "in_wine: could not make a wine prefix" >&2; exit 1; }
# Windows a test makes (the about box) go to wine's null display driver: no X server needed.
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\n"Graphics"="null"\n' \
    >"$WINEPREFIX/null-display.reg"
"$TILVARA_WINE" regedit "$WINEPREFIX/null-display.reg" >/dev/null 2>&1 && wineserver_wait
"$TILVARA_WINE" "$@"
