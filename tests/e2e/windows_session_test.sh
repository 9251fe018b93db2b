#!/usr/bin/env bash
# The Windows program under Wine, in a prefix of its own, worked as a student works it: the four
# prompts, a question, a two-line response with an accented word, a note, an answer left
# unrecorded, edited with Tab and Ctrl+Backspace, and the close box. The four files then hold the
# bytes they hold on Linux, the draft went with the response, and the unrecorded answer is kept
# as the draft.
# Without a window manager, Alt+F4 asks for the close as the close box does.
# $1: classjournal.exe.
source "$(dirname "$0")/driver.sh"
source "$(dirname "$0")/records.sh"

QUESTION="Please respond to the question."

e2e_setup "$1"
DRAFT=$E2E_DATA/$(e2e_file_name draft)

e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form

e2e_click cmdNextQuestion
# What the code page lacks shows as "?" at once.
printf ' Ω→' | xclip -selection clipboard -i
e2e_click txt_question
xdotool key ctrl+End ctrl+v
e2e_expect_box txt_question "$QUESTION ??"
e2e_paste_into txt_answer "café au lait"
e2e_type $'\nsecond line'
e2e_expect_box txt_answer $'café au lait\nsecond line'
e2e_wait_for "the draft after a pause in typing" test -s "$DRAFT"
e2e_click cmd_enter_response
e2e_wait_for "the response in the shared file" test -s "$E2E_SHARE/responses.txt"
# The draft goes once the record is safe, a moment after the class file has the line.
e2e_wait_for "the draft to go with the response" test ! -e "$DRAFT"

e2e_click cmdNextQuestion
e2e_type_into txt_answer "check units"
e2e_click cmd_save_as_notes
e2e_click cmdNextQuestion
# Away and back by Tab the answer and its caret stay; Ctrl+Backspace takes the word before the
# caret; Ctrl with a letter puts no control character in. Wine's edit box keeps those characters
# out by itself, so only on Windows can the last check fail.
e2e_type_into txt_answer "never"
xdotool key Tab shift+Tab
e2e_type " recorded wrongly"
xdotool key ctrl+BackSpace BackSpace ctrl+b ctrl+e ctrl+r
e2e_expect_box txt_answer "never recorded"
xdotool key alt+F4
e2e_expect_exit

two_lines=$'caf\xe9 au lait\r\nsecond line'
printf '%s' "$two_lines$CRLF" >"$E2E_DIR/responses.expected"
expect_file "$E2E_SHARE/responses.txt" "$E2E_DIR/responses.expected"
{
    send_header "Student One" 001 "001.  Responses" STO
    response_record "$two_lines"
    notes_record "$QUESTION" "check units"
} >"$E2E_DIR/send.expected"
expect_file "$E2E_DATA/$(e2e_file_name send)" "$E2E_DIR/send.expected" header
expect_one_note "$QUESTION" "check units"
[ "$(cat "$DRAFT")" = "never recorded" ] || e2e_fail "the draft holds: $(cat -A "$DRAFT")"
echo "PASS: the Windows program records a session as on Linux, and keeps the draft at the close box"
