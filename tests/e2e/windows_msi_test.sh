#!/usr/bin/env bash
# The MSI a lab deploys, under Wine: installed silently, it puts what the ZIP holds into Program
# Files, a Start-menu shortcut to the program and an entry in Apps and Features with version,
# publisher and icon; the installed program asks its four questions and opens its window; the
# next version replaces it, and so does a rebuild of that version; a silent uninstall leaves
# nothing of ours behind. The package marks its components 64-bit and gives each program the
# version its version resource holds.
# $1: the Windows build directory.
source "$(dirname "$0")/driver.sh"
build=$1
e2e_setup "$build/app/classjournal.exe"
folder="$WINEPREFIX/drive_c/Program Files/Class Journal"

# $1: the version; $2: a name for this build of it; prints the MSI's path.
make_msi() {
    cpack --config "$build/CPackConfig.cmake" -G External -D CPACK_CLASSJOURNAL_MSI_VERSION="$1" \
        -B "$E2E_DIR/msi-$2" >"$E2E_DIR/cpack.log" 2>&1 || e2e_fail "CPack failed: $(cat "$E2E_DIR/cpack.log")"
    ls "$E2E_DIR/msi-$2/classjournal-$1-win64.msi"
}

# $1: /i or /x; $2: the MSI.
msiexec() { "$WINE" msiexec "$1" "Z:${2//\//\\}" /qn || e2e_fail "msiexec $1 failed"; }

registry() { "$WINE" reg query "$1" /s 2>/dev/null | tr -d '\r'; }

# $1: the files in Program Files; $2: the Apps and Features entries; $3: the shortcut's target.
# Wine puts the shortcut in the user's Start menu; Windows in all users'.
expect_installed() {
    local held entries link
    held=$(ls "$folder" 2>/dev/null | tr '\n' ' ') || true
    entries=$(registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' |
        sed -n 's/^ *\(DisplayName\|DisplayVersion\|InstallLocation\|Publisher\) *REG_SZ *\(.*\)/\1=\2/p' | tr '\n' ' ')
    link=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Class Journal.lnk')
    [ "$held" = "$1" ] || e2e_fail "Program Files holds \"$held\", not \"$1\""
    [ "$entries" = "$2" ] || e2e_fail "Apps and Features lists \"$entries\", not \"$2\""
    grep -a -q -F "$3" "$link" 2>/dev/null || e2e_fail "no Start-menu shortcut to \"$3\": \"$link\""
}

# The product code of the one entry in Apps and Features.
product() { registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | sed -n 's/.*\\Uninstall\\\({.*}\)$/\1/p'; }

first=$(make_msi 1.0.0.1 first) next=$(make_msi 1.0.0.2 next) rebuilt=$(make_msi 1.0.0.2 rebuilt)
staged=$(ls -d "$(dirname "$first")"/_CPack_Packages/*/External/classjournal-*-win64)
files=$(ls "$staged" | tr '\n' ' ')
entry='DisplayName=Class Journal DisplayVersion=%s InstallLocation=C:\Program Files\Class Journal\ Publisher=Class Journal maintainers '
program='C:\Program Files\Class Journal\classjournal.exe'

# Every component is 64-bit (attribute 256), and each program's file version is its resource's.
msiinfo export "$first" Component | awk -F'\t' 'NR > 3 && int($4 / 256) % 2 == 0 { exit 1 }' || e2e_fail "a component is not 64-bit"
for exe in classjournal.exe classjournal-report.exe; do
    resource=$(strings -el "$staged/$exe" | sed -n '/^FileVersion$/{n;p;q}')
    listed=$(msiinfo export "$first" File | awk -F'\t' -v exe="$exe" '$3 == exe { print $5 }')
    [[ -n $resource && $listed == "$resource" ]] || e2e_fail "$exe has version \"$listed\" in the MSI, \"$resource\" in its resource"
done

msiexec /i "$first"
expect_installed "$files" "$(printf "$entry" 1.0.0.1)" "$program"
icon=$(registry 'HKLM\Software\Classes\Installer\Products' | sed -n 's/.*ProductIcon *REG_SZ *C:\(.*\)/\1/p')
[[ $icon == *.ico && -s "$WINEPREFIX/drive_c${icon//\\//}" ]] || e2e_fail "Apps and Features shows no icon"
registry 'HKLM\Software\Class Journal' | grep -q StartMenuShortcut || e2e_fail "the shortcut's value is not in the 64-bit registry"

E2E_PROGRAM=$folder/classjournal.exe
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
xdotool key alt+F4
e2e_expect_exit

# The next version, then a rebuild of it: each replaces what is installed, newest files included.
msiexec /i "$next"
expect_installed "$files" "$(printf "$entry" 1.0.0.2)" "$program"
replaced=$(product)
msiexec /i "$rebuilt"
expect_installed "$files" "$(printf "$entry" 1.0.0.2)" "$program"
[ "$(product)" != "$replaced" ] || e2e_fail "the rebuild did not replace the installed build"
# Each build's programs differ in their time stamp: the installed one is the rebuild's.
cmp -s "${rebuilt%/*}/_CPack_Packages/win64/External/${staged##*/}/classjournal.exe" "$folder/classjournal.exe" ||
    e2e_fail "the installed program is not the newest build's"
msiexec /x "$rebuilt"
[ ! -e "$folder" ] && [ -z "$(find "$WINEPREFIX/drive_c" -name 'Class Journal.lnk')" ] || e2e_fail "the uninstall left files"
[ -z "$(registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | grep 'Class Journal')" ] ||
    e2e_fail "the uninstall left the entry in Apps and Features"
echo "PASS: the MSI installs, upgrades (a rebuild too) and uninstalls silently, and the installed program starts"
