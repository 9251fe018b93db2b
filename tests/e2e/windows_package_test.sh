#!/usr/bin/env bash
# The ZIP a student is handed: CPack packs classjournal.exe and classjournal-report.exe with
# README.txt and LICENSE.txt and nothing else; the documents are text for Notepad, each line
# ending in CR LF, and every message README.txt quotes at the start of a line is one the
# program shows; neither program asks for a DLL beyond those every Windows brings, and the report
# stays small enough to copy anywhere.
# $1: the Windows build directory; $2: MinGW's objdump.
set -euo pipefail
build=$1 objdump=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/classjournal-zip.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work" >"$work/cpack.log" 2>&1 || fail "CPack failed: $(cat "$work/cpack.log")"
zip=$(ls "$work"/classjournal-*.zip)
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
held=$(cd "$work/unpacked" && find . -type f | sed 's|^\./[^/]*/||' | LC_ALL=C sort | tr '\n' ' ')
[ "$held" = "LICENSE.txt README.txt classjournal-report.exe classjournal.exe " ] || fail "the ZIP holds: $held"
folder=$(echo "$work"/unpacked/*)

for document in README.txt LICENSE.txt; do
    ! grep -q -v $'\r$' "$folder/$document" || fail "$document has a line that does not end in CR LF"
done
tr -d '\r' <"$folder/README.txt" | sed -n 's/^"\([^"]*\)".*/\1/p' | sed 's/ *\.\.\..*//' | while read -r text; do
    grep -a -q -F "$text" "$folder/classjournal.exe" || fail "README.txt quotes \"$text\", which the program never shows"
done

windows_own=" comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll ws2_32.dll "
for program in "$folder"/*.exe; do
    for dll in $("$objdump" -p "$program" | awk '/DLL Name:/ { print tolower($3) }'); do
        [[ $windows_own == *" $dll "* ]] || fail "$(basename "$program") asks for $dll, which Windows does not bring"
    done
done
(($(stat -c %s "$folder/classjournal-report.exe") < 4 * 1024 * 1024)) || fail "classjournal-report.exe takes 4 MB or more"
echo "PASS: the ZIP holds the two programs, which need no DLL beyond Windows' own, and their documents for people"
