#!/usr/bin/env bash
# What the student typed outlives a crash: left alone for three seconds, then the program killed,
# it is back in the answer box at the next start, with a message saying when it was kept; once
# recorded as a response, no draft is left.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"

TYPED=$'my long critique\nsecond line'

e2e_setup "$1"
DRAFT=$E2E_DATA/$(e2e_file_name draft)
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
e2e_click cmdNextQuestion
e2e_type_into txt_answer "$TYPED"
dates_saved="$(date +%m-%d-%Y)"
sleep 3
dates_saved+="|$(date +%m-%d-%Y)"
kill -KILL "$E2E_PROGRAM_PID"
wait "$E2E_PROGRAM_PID" 2>/dev/null || true
E2E_PROGRAM_PID=""
[ "$(cat "$DRAFT")" = $'my long critique\r\nsecond line' ] || e2e_fail "the draft holds: $(cat -A "$DRAFT")"

e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
e2e_read_message
saved_at="The answer you had not yet entered, saved at ($dates_saved) [0-2][0-9]:[0-5][0-9]:[0-5][0-9], "
[[ $E2E_MESSAGE =~ ^${saved_at}is\ back\ in\ the\ answer\ box\.$ ]] || e2e_fail "unexpected message: $E2E_MESSAGE"
e2e_expect_box txt_answer "$TYPED"

e2e_click cmd_enter_response
e2e_wait_for "the response to be recorded" grep -q "^my long critique" "$E2E_SHARE/responses.txt"
e2e_wait_for "the draft to go with the response" test ! -e "$DRAFT"
e2e_click cmd_quit
e2e_expect_exit
leftover=$(find "$E2E_DATA" -name 'draft_*')
[ -z "$leftover" ] || e2e_fail "left behind: $leftover"
echo "PASS: a draft outlives a crash and goes once recorded"
