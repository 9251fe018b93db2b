#!/usr/bin/env bash
# The documents tell of everything the programs show and write: README.md, README.txt and the
# manual page quote each prompt and message by its first words, and name each file as the
# program names Student One's on 8 December (the lines of 7 December that never reached the
# class file are the earlier day's); the report's files are in the report's manual
# page too. README.txt, read in Notepad without word wrap, has no line over 78 characters.
# $1: the source tree; $2: print_shown_texts; $3: print_file_names.
set -euo pipefail
source=$1 shown_texts=$2 file_names=$3
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A document's text in one line, runs of blanks made one; a manual page as man shows it.
flat() {
    if [[ $1 == *.1 ]]; then MANWIDTH=2000 LC_ALL=C.UTF-8 man --nh --nj -l "$1" 2>/dev/null | col -bx; else cat "$1"; fi |
        tr -s ' \r\n\t' '    ' | sed "s/\\\\//g; s/[‘’]/'/g"
}
declare -A text=(
    [README.md]=$(flat "$source/README.md") [README.txt]=$(flat "$source/packaging/README.txt")
    [classjournal.1]=$(flat "$source/packaging/classjournal.1")
    [classjournal-report.1]=$(flat "$source/packaging/classjournal-report.1")
)
# $1: what must be quoted or named; the rest: the documents that must hold it.
expect() {
    local held=$1 document
    shift
    for document in "$@"; do
        [[ ${text[$document]} == *"$held"* ]] || fail "$document does not hold \"$held\""
    done
}

while read -r _ words; do expect "$words" README.md README.txt classjournal.1; done < <("$shown_texts")
while read -r kind name; do
    case $kind in
    report_*) expect "$name" README.md README.txt classjournal-report.1 ;;
    *) expect "$name" README.md README.txt classjournal.1 ;;
    esac
done < <("$file_names" "Student One" 12-08-2026 | grep -v '^unsent_of_day'
    "$file_names" "Student One" 12-07-2026 | grep '^unsent_of_day')

awk 'length($0) > 78 { print "line " NR " has " length($0) " characters"; bad = 1 } END { exit bad }' \
    "$source/packaging/README.txt" || fail "README.txt has lines over 78 characters"
echo "PASS: the documents quote every prompt and message and name every file"
