#!/usr/bin/env bash
# Another student's program holds the class file while a response is entered: a second click
# meanwhile is dropped rather than recording the emptied box.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"

e2e_setup "$1"
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
"$HOLD_LOCK_BYTE" "$E2E_SHARE/responses.txt" >"$E2E_DIR/held" &
holder=$!
e2e_wait_for "the class file's lock to be held" grep -q held "$E2E_DIR/held"
e2e_click cmdNextQuestion
e2e_type_into txt_answer "once"
e2e_click cmd_enter_response
sleep 0.5
e2e_click cmd_enter_response
sleep 1
kill "$holder"
e2e_wait_for "the response in the class file" grep -q once "$E2E_SHARE/responses.txt"
sleep 1
e2e_click cmd_quit
e2e_expect_exit
cmp -s "$E2E_SHARE/responses.txt" <(printf 'once\r\n') || e2e_fail "the class file holds $(cat -A "$E2E_SHARE/responses.txt")"
[ "$(grep -c '^RESPONSE -->' "$E2E_DATA/$(e2e_file_name send)")" = 1 ] || e2e_fail "not one record sent"
echo "PASS: a second click while the class file is held records nothing"
