#!/usr/bin/env bash
# The class's share fills up: the student is told once (61), the response is recorded in the
# send file and waits in the outbox; once room is made, the next response brings it along, and
# the class file holds both, in order.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"
source "$(dirname "$0")/records.sh"

GENERAL_FAILURE="You have encountered an error.  If you are encountering this error repeatedly you should report the error number to the instructor and explain exactly what you were doing, keystroke by keystroke, when the error occurred.  The error is:  "

e2e_setup "$1"
e2e_start_program share "" 64k
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form

share=$(e2e_program_root)/mnt/i
[ -f "$share/responses.txt" ] || e2e_fail "the class file was not made at start-up"
dd if=/dev/zero of="$share/filler" bs=4096 2>/dev/null && e2e_fail "the share's file system has no limit"

e2e_click cmdNextQuestion
e2e_type_into txt_answer "first"
e2e_click cmd_enter_response
e2e_expect_message "${GENERAL_FAILURE}61"
[ ! -s "$share/responses.txt" ] || e2e_fail "the full share took part of a line"

rm "$share/filler"
e2e_click cmdNextQuestion
e2e_type_into txt_answer "second"
e2e_click cmd_enter_response
e2e_wait_for "both lines in the class file" cmp -s "$share/responses.txt" <(printf 'first\r\nsecond\r\n')
outbox=$(e2e_program_root)$E2E_DATA/$(e2e_file_name outbox)
[ ! -s "$outbox" ] || e2e_fail "the outbox still holds lines"
e2e_click cmd_quit
e2e_expect_exit

{
    send_header "Student One" 001 "001.  Responses" STO
    response_record first
    response_record second
} >"$E2E_DIR/send.expected"
expect_file "$E2E_DATA/$(e2e_file_name send)" "$E2E_DIR/send.expected" header
echo "PASS: a full share keeps its line waiting, and the next response delivers both in order"
