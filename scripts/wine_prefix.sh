# A Wine prefix of its own for a Windows program, made and removed again.
# Sourced by scripts/run_under_wine.sh and by the Windows end-to-end tests.

wine_dir=$(dirname "$(dpkg -L wine64 | grep -m1 '/wine64$')")
WINE=$wine_dir/wine64
WINESERVER=$wine_dir/wineserver

# $1: the new prefix's folder. Starts its server first, so that whatever limits the program
# alone is not laid on the server too, then lays out drive c:. Arial is drawn with Liberation
# Sans, which has its widths, so that what fits here fits on Windows; CLASSJOURNAL_WINE_DPI sets
# the screen's dots per inch (96 unless set). Nothing is added to the desktop's menus.
wine_prefix_make() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    mkdir -p "$WINEPREFIX"
    "$WINESERVER" -p
    "$WINE" wineboot -i >/dev/null 2>&1
    printf '%s\r\n' 'REGEDIT4' '' '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"Arial"="Liberation Sans"' \
        '' '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$(printf %08x "${CLASSJOURNAL_WINE_DPI:-96}")" \
        >"$WINEPREFIX/drive_c/windows/temp/classjournal.reg"
    "$WINE" regedit /S 'C:\windows\temp\classjournal.reg' >/dev/null 2>&1
}

wine_prefix_remove() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
