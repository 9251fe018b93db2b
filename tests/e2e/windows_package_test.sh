#!/usr/bin/env bash
# The ZIP a student is handed: CPack packs classjournal.exe and classjournal-report.exe with
# README.md and LICENSE and nothing else, and neither program asks for a DLL beyond those every
# Windows brings.
# $1: the Windows build directory; $2: MinGW's objdump.
set -euo pipefail
build=$1 objdump=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/classjournal-zip.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || fail "CPack failed: $(cat "$work/cpack.log")"
zip=$(ls "$work"/classjournal-*.zip)
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
held=$(cd "$work/unpacked" && find . -type f | sed 's|^\./[^/]*/||' | sort | tr '\n' ' ')
[ "$held" = "LICENSE README.md classjournal-report.exe classjournal.exe " ] || fail "the ZIP holds: $held"

windows_own=" comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll user32.dll "
for program in classjournal.exe classjournal-report.exe; do
    for dll in $("$objdump" -p "$work"/unpacked/*/$program | awk '/DLL Name:/ { print tolower($3) }'); do
        [[ $windows_own == *" $dll "* ]] || fail "$program asks for $dll, which Windows does not bring"
    done
done
echo "PASS: the ZIP holds the two programs, which need no DLL beyond Windows' own, and their documents"
