#!/usr/bin/env bash
# Runs a Windows console program under wine in a fresh prefix of its own, with no display, and
# exits with the program's exit code.
set -uo pipefail
# shellcheck source=tests/win/wine_prefix.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh"
unset DISPLAY
trap drop_wine_prefix EXIT
new_wine_prefix || { echo "in_wine: could not make a wine prefix" >&2; exit 1; }
"$TILVARA_WINE" "$@"
