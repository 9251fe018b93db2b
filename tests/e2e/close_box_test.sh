#!/usr/bin/env bash
# Closing the window, as its close box does, ends the program at once and writes nothing more,
# not even what waits unrecorded in the answer box.
# $1: the classjournal executable; CLOSE_WINDOW: the close_window helper.
source "$(dirname "$0")/driver.sh"

files_and_sums() { find "$E2E_HOME" "$E2E_SHARE" -type f ! -path "$E2E_HOME/.*" -exec md5sum {} + | sort; }

e2e_setup "$1"
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
e2e_click cmdNextQuestion
e2e_type_into txt_answer "never recorded"
e2e_expect_box txt_answer "never recorded"
before=$(files_and_sums)

"$CLOSE_WINDOW" "$E2E_FORM"
e2e_expect_exit
[ "$(files_and_sums)" = "$before" ] || e2e_fail "files changed on closing: $(files_and_sums)"
echo "PASS: the close box ends the program and writes nothing"
