#!/usr/bin/env bash
# An assignment the script does not hold: the out-of-range message, then the program ends
# without its window ever being created and without writing any file.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"

OUT_OF_RANGE_MESSAGE="You have probably not entered a valid assignment number.  Make sure the assignment number is a number, like 1 or 8 or 15 or 27 etc., and make sure that this assignment is supposed to be in the current ravelin_.  This program will end and you will need to start over.  If you are sure you have entered a valid assignment number email the instructor and specify that you have received a 'subscript out of range' error"

e2e_setup "$1"
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 2

e2e_expect_message "$OUT_OF_RANGE_MESSAGE"
# Not merely hidden: no window of that name exists, so it was never created.
[ -z "$(xdotool search --name '^Form1$' 2>/dev/null)" ] || e2e_fail "the window Form1 exists"

e2e_expect_exit
written=$(find "$E2E_HOME" "$E2E_SHARE" -type f ! -path "$E2E_HOME/.*")
[ -z "$written" ] || e2e_fail "files were written: $written"
echo "PASS: assignment 2 ends the program before its window"
