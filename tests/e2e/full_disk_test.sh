#!/usr/bin/env bash
# The disk that holds the data directory fills up while a response is recorded: the student is
# told (61), the answer stays in its box and the send file keeps its exact bytes; once room is
# made, the next click records the response once and whole.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"
source "$(dirname "$0")/records.sh"

GENERAL_FAILURE="You have encountered an error.  If you are encountering this error repeatedly you should report the error number to the instructor and explain exactly what you were doing, keystroke by keystroke, when the error occurred.  The error is:  "

e2e_setup "$1"
e2e_start_program share 256k
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form

data=$(e2e_program_root)$E2E_DATA
send=$data/$(e2e_file_name send)
[ -s "$send" ] || e2e_fail "the send file has no header"
cp "$send" "$E2E_DIR/send.before"

# Longer than a page, so that the record cannot fit in what is left of the file's last page
# and the disk runs out in the middle of it.
answer=$(printf 'full disk %.0s' $(seq 500))
e2e_click cmdNextQuestion
e2e_paste_into txt_answer "$answer"
e2e_expect_box txt_answer "$answer"
dd if=/dev/zero of="$data/filler" bs=4096 2>/dev/null && e2e_fail "the data directory's file system has no limit"

e2e_click cmd_enter_response
e2e_expect_message "${GENERAL_FAILURE}61"
cmp "$send" "$E2E_DIR/send.before" || e2e_fail "the failed record changed the send file"
[ ! -s "$E2E_SHARE/responses.txt" ] || e2e_fail "the shared file got a response the send file did not"
e2e_expect_box txt_answer "$answer"

rm "$data/filler"
e2e_click cmd_enter_response
# The shared file is written once the send file holds the whole record.
e2e_wait_for "the response in the shared file" test -s "$E2E_SHARE/responses.txt"
# The program's data directory goes with the program, so its send file is kept before it quits.
cp "$send" "$E2E_DIR/send.after"
e2e_click cmd_quit
e2e_expect_exit

cmp -n "$(stat -c %s "$E2E_DIR/send.before")" "$E2E_DIR/send.before" "$E2E_DIR/send.after" ||
    e2e_fail "the header changed"
{
    send_header "Student One" 001 "001.  Responses" STO
    response_record "$answer"
} >"$E2E_DIR/send.expected"
expect_file "$E2E_DIR/send.after" "$E2E_DIR/send.expected" header
printf '%s' "$answer$CRLF" >"$E2E_DIR/responses.expected"
expect_file "$E2E_SHARE/responses.txt" "$E2E_DIR/responses.expected"
echo "PASS: a full disk leaves the send file as it was, and the retry records the response once"
