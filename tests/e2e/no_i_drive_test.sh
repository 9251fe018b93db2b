#!/usr/bin/env bash
# A home computer without drive i:. The student is told of the failure by its number, once, the
# window still opens, the student's own send file gets the header and every response, and the
# class file's lines wait in the outbox for a computer that has the drive.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"
source "$(dirname "$0")/records.sh"

GENERAL_FAILURE="You have encountered an error.  If you are encountering this error repeatedly you should report the error number to the instructor and explain exactly what you were doing, keystroke by keystroke, when the error occurred.  The error is:  "

e2e_setup "$1"
e2e_start_program no-share
e2e_answer_start_up 1 "Student One" STO 1
e2e_read_message
[[ "$E2E_MESSAGE" =~ ^"$GENERAL_FAILURE"[0-9]+$ ]] || e2e_fail "expected the general failure message, found: $E2E_MESSAGE"
e2e_wait_form

e2e_click cmdNextQuestion
e2e_type_into txt_answer "OK"
e2e_click cmd_enter_response
e2e_click cmd_quit
e2e_expect_exit

{
    send_header "Student One" 001 "001.  Responses" STO
    response_record OK
} >"$E2E_DIR/send.expected"
expect_file "$E2E_DATA/$(e2e_file_name send)" "$E2E_DIR/send.expected" header
printf '%s' "OK$CRLF" >"$E2E_DIR/unsent.expected"
expect_file "$E2E_DATA/$(e2e_file_name outbox)" "$E2E_DIR/unsent.expected"
echo "PASS: without drive i: the failure is reported once, the send file keeps every record, the outbox every line"
