#!/usr/bin/env bash
# Return held on "Enter Response" for two seconds, while two busy processes keep the computer's
# cores loaded, presses it once: on X11 a held key repeats as releases and presses, which a
# loaded program can take for new ones.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"
source "$(dirname "$0")/records.sh"

e2e_setup "$1"
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
e2e_click cmdNextQuestion
e2e_type_into txt_answer "held"
xdotool key Tab Tab  # to "Enter Response"
busy=()
for _ in 1 2; do
    timeout 8 sh -c 'while :; do :; done' &  # ends by itself should the test fail
    busy+=($!)
done
xdotool keydown Return && sleep 2 && xdotool keyup Return
kill "${busy[@]}" 2>/dev/null || true
e2e_click cmd_quit
e2e_expect_exit

printf '%s' "held$CRLF" >"$E2E_DIR/responses.expected"
expect_file "$E2E_SHARE/responses.txt" "$E2E_DIR/responses.expected"
echo "PASS: a held Return presses a button once"
