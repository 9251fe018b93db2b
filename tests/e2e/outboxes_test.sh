#!/usr/bin/env bash
# A line that waited in the home folder's outbox today reaches the class file when the student
# starts at college; a line that waited in the lab folder's outbox since the day before stays out
# of the class file, in a file named for its day, and the student is told.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"

e2e_setup "$1"
lab=$E2E_SHARE/bkp_000416/My\ Documents/distance\ students/interactive\ problems/lb1
mkdir -p "$lab" "$E2E_DATA"
outbox=$(e2e_file_name outbox)
printf 'from home\r\n' >"$E2E_DATA/$outbox"
printf 'from yesterday\r\n' >"$lab/$outbox"
touch -d yesterday "$lab/$outbox"
kept=$(e2e_file_name unsent_of_day "$(date -d yesterday +%m-%d-%Y)")
e2e_start_program
e2e_answer_start_up 2 "Student One" STO 1
e2e_expect_message "1 line of the answers you gave on $(date -d yesterday +%m-%d-%Y) never reached the class's shared file, and will not go there on a later day. Your send file of that day holds those answers; the lines are kept in i:\\bkp_000416\\My Documents\\distance students\\interactive problems\\lb1\\$kept."
e2e_wait_form
e2e_click cmd_quit
e2e_expect_exit
cmp -s "$E2E_SHARE/responses.txt" <(printf 'from home\r\n') || e2e_fail "the class file holds $(cat -A "$E2E_SHARE/responses.txt")"
cmp -s "$lab/$kept" <(printf 'from yesterday\r\n') || e2e_fail "the day before's line is not kept in $kept"
[ ! -s "$E2E_DATA/$outbox" ] && [ ! -s "$lab/$outbox" ] || e2e_fail "an outbox still holds lines"
echo "PASS: a college start delivers the home outbox of the day, and keeps the day before's lines out"
