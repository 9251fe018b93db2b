#!/usr/bin/env bash
# The program worked from the keyboard alone, in the window's tab order: from the question box
# to "Next Question / Answer", back to the answer box, on to "Enter Response", "Save as Notes"
# and at last "quit program"; Return, or Enter on the keypad, presses the button that has the
# focus, while in the answer box Return breaks the line.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"
source "$(dirname "$0")/records.sh"

press() { xdotool key --delay 15 "$@"; }
tabs() { press $(printf 'Tab %.0s' $(seq "$1")); }

e2e_setup "$1"
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form

tabs 2 && press Return               # the focus starts in the question box
press shift+Tab && e2e_type "OK
second line"                         # e2e_type presses Return between the lines
tabs 2 && press KP_Enter             # "Enter Response"
press shift+Tab shift+Tab && e2e_type "check units"
tabs 5 && press Return               # past the pictures to "Save as Notes"
tabs 12 && press Return              # past the unused controls to "quit program"
e2e_expect_exit

printf '%s' "OK${CRLF}second line$CRLF" >"$E2E_DIR/responses.expected"
expect_file "$E2E_SHARE/responses.txt" "$E2E_DIR/responses.expected"
notes_record "Please respond to the question." "check units" master >"$E2E_DIR/master.expected"
expect_file "$E2E_DATA/$(e2e_file_name master)" "$E2E_DIR/master.expected"
echo "PASS: the keyboard alone works the program"
