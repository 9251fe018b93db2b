#!/usr/bin/env bash
# Return held on "Enter Response", and keypad Enter held on "Save as Notes", for two seconds
# each while two busy processes keep the computer's cores loaded, press each button once: on
# X11 a held key repeats as releases and presses, which a loaded program can take for new ones.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"
source "$(dirname "$0")/records.sh"

# $1 the key, held while both cores are kept busy; the busy loops end by themselves at the latest.
hold_under_load() {
    local busy=()
    for _ in 1 2; do
        timeout 8 sh -c 'while :; do :; done' &
        busy+=($!)
    done
    xdotool keydown "$1" && sleep 2 && xdotool keyup "$1"
    kill "${busy[@]}" 2>/dev/null || true
}

e2e_setup "$1"
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form

e2e_click cmdNextQuestion
e2e_type_into txt_answer "held"
xdotool key Tab Tab                  # to "Enter Response"
hold_under_load Return
e2e_type_into txt_answer "noted"
xdotool key Tab Tab Tab Tab Tab      # past the pictures to "Save as Notes"
hold_under_load KP_Enter
e2e_click cmd_quit
e2e_expect_exit

printf '%s' "held$CRLF" >"$E2E_DIR/responses.expected"
expect_file "$E2E_SHARE/responses.txt" "$E2E_DIR/responses.expected"
expect_one_note "Please respond to the question." "noted"
echo "PASS: a held Return or keypad Enter presses a button once"
