# shellcheck shell=bash
# The one wine helper, sourced by the Windows tests and scripts: new_wine_prefix makes a fresh
# prefix of our own in a scratch folder and exports WINEPREFIX (never the user's ~/.wine), with
# the two settings a bare X server needs: unmanaged windows (without a window manager a managed
# box takes seconds to close) and the dialog fonts substituted by a CJK font, so that Chinese
# menus and titles are not boxes. An optional argument sets LogPixels (96 is 100 %, 192 200 %).
# drop_wine_prefix stops that prefix's wineserver and removes it.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
TILVARA_WINE=${TILVARA_WINE:-$(command -v wine || command -v wine64 || true)}
wine_prefix=

new_wine_prefix() {
    wine_prefix=$(mktemp -d "${TMPDIR:-/tmp}/tilvara-wine.XXXXXX") || return 1
    export WINEPREFIX=$wine_prefix
    "$TILVARA_WINE" wineboot -i >/dev/null 2>&1 || return 1
    local font reg=()
    reg+=("[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]" '"Managed"="N"' '')
    reg+=("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]")
    for font in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Microsoft YaHei" "SimSun"; do
        reg+=("\"$font\"=\"Noto Sans CJK SC\"")
    done
    # Font linking as Windows has it: glyphs the CJK font lacks (the ads' ▸) from DejaVu Sans.
    reg+=('' "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]")
    for font in "Noto Sans CJK SC" "Microsoft YaHei"; do
        reg+=("\"$font\"=hex(7):$(printf 'DejaVuSans.ttf,DejaVu Sans' | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//'),00,00")
    done
    if [ -n "${1:-}" ]; then
        reg+=('' "[HKEY_CURRENT_USER\\Control Panel\\Desktop]" "\"LogPixels\"=dword:$(printf %08x "$1")")
    fi
    printf 'REGEDIT4\n\n%s\n' "$(printf '%s\n' "${reg[@]}")" >"$wine_prefix/tilvara.reg"
    "$TILVARA_WINE" regedit "$wine_prefix/tilvara.reg" >/dev/null 2>&1 || return 1
    wineserver_wait
}

# Waits until the prefix's programs have ended, so that the registry is written out.
wineserver_wait() { wineserver -w; }

drop_wine_prefix() {
    [ -n "$wine_prefix" ] || return 0
    WINEPREFIX=$wine_prefix wineserver -k 2>/dev/null || true
    rm -rf "$wine_prefix"
    wine_prefix=
}
