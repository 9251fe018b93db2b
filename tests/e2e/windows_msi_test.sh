#!/usr/bin/env bash
# The MSI a lab deploys, under Wine: installed silently, it puts the files the ZIP holds into
# Program Files, a Start-menu shortcut to the program and an entry in Apps and Features with the
# version, the publisher and the icon; the installed program asks its four questions and opens
# its window; the next version, with the same upgrade code, replaces it; a silent uninstall
# leaves nothing of ours behind.
# $1: the Windows build directory.
source "$(dirname "$0")/wine_driver.sh"
build=$1

e2e_wine_setup "$build/app/classjournal.exe"
folder="$WINEPREFIX/drive_c/Program Files/Class Journal"

# $1: the version to make it for; prints the MSI's path.
make_msi() {
    cpack --config "$build/CPackConfig.cmake" -G External -D CPACK_CLASSJOURNAL_MSI_VERSION="$1" \
        -B "$E2E_DIR/msi-$1" >"$E2E_DIR/cpack.log" 2>&1 || e2e_fail "CPack failed: $(cat "$E2E_DIR/cpack.log")"
    ls "$E2E_DIR/msi-$1"/*.msi
}

# $1: /i or /x; $2: the MSI, as Windows names it.
msiexec() { "$WINE" msiexec "$1" "Z:${2//\//\\}" /qn || e2e_fail "msiexec $1 failed"; }

uninstall_entries() {
    "$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
        grep -E '^ +(DisplayName|DisplayVersion|Publisher) ' | sed 's/^ *//; s/  *REG_SZ  */=/' | tr '\n' ' ' || true
}

# The shortcut lies in the Start menu of all users on Windows; Wine puts it in the user's.
shortcut() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Class Journal.lnk' 2>/dev/null; }

# $1: the files Program Files holds for us; $2: the Apps and Features entry; $3: the shortcut's
# target, or nothing.
expect_installed() {
    local held entries link
    held=$(ls "$folder" 2>/dev/null | tr '\n' ' ' || true)
    [ "$held" = "$1" ] || e2e_fail "Program Files holds \"$held\", not \"$1\""
    entries=$(uninstall_entries)
    [ "$entries" = "$2" ] || e2e_fail "Apps and Features lists \"$entries\", not \"$2\""
    link=$(shortcut)
    if [ -n "$3" ]; then
        grep -a -q -F "$3" "$link" || e2e_fail "no Start-menu shortcut to $3: \"$link\""
    else
        [ -z "$link" ] || e2e_fail "the shortcut outlived the uninstall: $link"
    fi
}

first=$(make_msi 1.0.0)
next=$(make_msi 1.0.1)
# What the install rules staged for it, as for the ZIP.
files=$(ls "$(dirname "$first")"/_CPack_Packages/*/External/classjournal-*-win64 | tr '\n' ' ')
program='C:\Program Files\Class Journal\classjournal.exe'
entry="DisplayName=Class Journal DisplayVersion=%s Publisher=Class Journal maintainers "

msiexec /i "$first"
expect_installed "$files" "$(printf "$entry" 1.0.0)" "$program"
icon=$("$WINE" reg query 'HKLM\Software\Classes\Installer\Products' /s /v ProductIcon 2>/dev/null | tr -d '\r' |
    sed -n 's/.*REG_SZ *C:\(.*\)/\1/p' | tr '\\' /)
[ -s "$WINEPREFIX/drive_c$icon" ] || e2e_fail "Apps and Features has no icon for the program"

E2E_PROGRAM=$folder/classjournal.exe
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
xdotool key alt+F4
e2e_expect_exit

msiexec /i "$next"
expect_installed "$files" "$(printf "$entry" 1.0.1)" "$program"
msiexec /x "$next"
[ ! -e "$folder" ] || e2e_fail "the uninstall left $(find "$folder")"
expect_installed "" "" ""
echo "PASS: the MSI installs, upgrades and uninstalls silently, and the installed program starts"
