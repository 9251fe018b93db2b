#!/usr/bin/env bash
# Closing the window, as its close box does, ends the program at once and records nothing, not
# even what waits unrecorded in the answer box; that text is kept as a draft, however soon the
# window is closed after typing, and is back in the answer box at the next start.
# $1: the classjournal executable; CLOSE_WINDOW: the close_window helper.
source "$(dirname "$0")/driver.sh"

records_and_sums() { find "$E2E_HOME" "$E2E_SHARE" -type f ! -path "$E2E_HOME/.*" ! -name 'draft_*' -exec md5sum {} + | sort; }

e2e_setup "$1"
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
e2e_click cmdNextQuestion
e2e_expect_box txt_question "Please respond to the question."
before=$(records_and_sums)

e2e_type_into txt_answer "never recorded"
"$CLOSE_WINDOW" "$E2E_FORM"
e2e_expect_exit
[ "$(records_and_sums)" = "$before" ] || e2e_fail "records changed on closing: $(records_and_sums)"
[ "$(cat "$E2E_DATA/$(e2e_file_name draft)")" = "never recorded" ] || e2e_fail "no draft kept on closing"

e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
e2e_read_message
e2e_expect_box txt_answer "never recorded"
echo "PASS: the close box records nothing and keeps the answer box for the next start"
