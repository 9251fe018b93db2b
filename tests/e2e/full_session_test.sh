#!/usr/bin/env bash
# A student's session in the real window: a response, notes, a two-line response with a
# pasted character beyond ASCII, the notes shown back, quit; then the four files, byte for byte.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"
source "$(dirname "$0")/records.sh"

QUESTION="Please respond to the question."

e2e_setup "$1"
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form

e2e_record_session

# The notes file comes back as one run of text, its line ends left out.
e2e_click cmd_display_note_file
e2e_expect_box txt_question "$(tr -d '\r\n' <"$E2E_DATA/$(e2e_file_name notes)")"

e2e_click cmd_quit
e2e_expect_exit

two_lines=$'caf\xe9 au lait\r\nsecond line'
printf '%s' "OK$CRLF$two_lines$CRLF" >"$E2E_DIR/responses.expected"
expect_file "$E2E_SHARE/responses.txt" "$E2E_DIR/responses.expected"

{
    send_header "Student One" 001 "001.  Responses" STO
    response_record OK
    notes_record "$QUESTION" "check units"
    response_record "$two_lines"
} >"$E2E_DIR/send.expected"
expect_file "$E2E_DATA/$(e2e_file_name send)" "$E2E_DIR/send.expected" header

expect_one_note "$QUESTION" "check units"
echo "PASS: a session's records reach the four files"
