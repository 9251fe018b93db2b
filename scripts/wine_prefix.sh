# A Wine prefix of its own for a Windows program, made and removed again.
# Sourced by scripts/run_under_wine.sh and by the Windows end-to-end tests.

wine_dir=$(dirname "$(dpkg -L wine64 | grep -m1 '/wine64$')")
WINE=$wine_dir/wine64
WINESERVER=$wine_dir/wineserver

# $1: the new prefix's folder. Starts its server first, so that whatever limits the program
# alone is not laid on the server too, then lays out drive c:.
wine_prefix_make() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    mkdir -p "$WINEPREFIX"
    "$WINESERVER" -p
    "$WINE" wineboot -i >/dev/null 2>&1
}

wine_prefix_remove() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
