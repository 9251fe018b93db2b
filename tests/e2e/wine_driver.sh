# Drives the Windows program under Wine as driver.sh drives the Linux one, in a Wine prefix of
# its own: drive c: is the prefix's, drive i: the share in the temporary folder.
# Sourced by the Windows end-to-end tests and scripts/screenshot.sh.

source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine_prefix.sh"

# $1: classjournal.exe. As e2e_setup, with the prefix made and its drives laid out.
e2e_wine_setup() {
    e2e_setup "$1"
    trap e2e_wine_teardown EXIT
    wine_prefix_make "$E2E_DIR/wine"
    ln -s "$E2E_SHARE" "$WINEPREFIX/dosdevices/i:"
    E2E_DATA=$WINEPREFIX/drive_c/qorsdata
}

e2e_wine_teardown() {
    local status=$?
    wine_prefix_remove
    e2e_teardown "$status"
}

e2e_start_program() {
    "$WINE" "$E2E_PROGRAM" >"$E2E_DIR/program.out" 2>"$E2E_DIR/program.err" &
    E2E_PROGRAM_PID=$!
}
