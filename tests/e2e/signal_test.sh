#!/usr/bin/env bash
# SIGTERM, as the system sends it at log-out or shutdown, ends the program as the close box
# does: a second after typing, before the pause would have kept it, all that was typed is kept.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"

e2e_setup "$1"
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
e2e_click cmdNextQuestion
e2e_type_into txt_answer $'typed just before\nthe signal'
sleep 1
kill -TERM "$E2E_PROGRAM_PID"
e2e_expect_exit
draft=$(cat -A "$E2E_DATA/$(e2e_file_name draft)" 2>&1) || true
[ "$draft" = $'typed just before^M$\nthe signal' ] || e2e_fail "the draft holds: $draft"
echo "PASS: SIGTERM keeps all that was typed, as the close box does"
