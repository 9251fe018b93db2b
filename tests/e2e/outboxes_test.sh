#!/usr/bin/env bash
# A response given at home without drive i: waits in the home folder's outbox; the same day at
# college the class file gets it, while a line that waited in the lab folder's outbox since the
# day before stays out of the class file, in a file named for its day, and the student is told.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"
source "$(dirname "$0")/records.sh"

e2e_setup "$1"
lab_dos='i:\bkp_000416\My Documents\distance students\interactive problems\lb1'
lab=$E2E_SHARE/bkp_000416/My\ Documents/distance\ students/interactive\ problems/lb1
mkdir -p "$lab"

e2e_start_program no-share
e2e_answer_start_up 1 "Student One" STO 1
e2e_read_message
e2e_wait_form
e2e_click cmdNextQuestion
e2e_type_into txt_answer "from home"
e2e_click cmd_enter_response
e2e_click cmd_quit
e2e_expect_exit

printf '%s' "from yesterday$CRLF" >"$lab/unsent_Student_One.txt"
touch -d yesterday "$lab/unsent_Student_One.txt"
e2e_start_program
e2e_answer_start_up 2 "Student One" STO 1
e2e_expect_message "1 line of the answers you gave on $(date -d yesterday +%m-%d-%Y) never reached the class's shared file, and will not go there on a later day. Your send file of that day holds those answers; the lines are kept in $lab_dos\\unsent$(date -d yesterday +%m%d)_Student_One.txt."
e2e_wait_form
e2e_click cmd_quit
e2e_expect_exit

printf '%s' "from home$CRLF" >"$E2E_DIR/responses.expected"
expect_file "$E2E_SHARE/responses.txt" "$E2E_DIR/responses.expected"
printf '%s' "from yesterday$CRLF" >"$E2E_DIR/yesterday.expected"
expect_file "$lab/unsent$(date -d yesterday +%m%d)_Student_One.txt" "$E2E_DIR/yesterday.expected"
[ ! -s "$E2E_DATA/unsent_Student_One.txt" ] && [ ! -s "$lab/unsent_Student_One.txt" ] || e2e_fail "an outbox still holds lines"
echo "PASS: a college start delivers the home outbox of the day, and keeps the day before's lines out"
