#!/usr/bin/env bash
# A slow or stalled share: the window stays alive, and keeps what the student types and every
# close given meanwhile. The class file is held by another student's program (HOLD_LOCK_BYTE);
# a file call is stalled by preloading SLOW_OPEN into the program, a test seam: the first open
# of the notes file waits 10 s, as on a stalled share. Under Wine, IS_HUNG asks Windows whether
# it takes the window for one that hangs. GRAB_WINDOW takes pictures of the window, CLOSE_WINDOW
# asks it to close as a window manager does for its close box.
# $1: the classjournal executable.
source "$(dirname "$0")/driver.sh"

for tool in "$HOLD_LOCK_BYTE" "$SLOW_OPEN" "$GRAB_WINDOW" "$CLOSE_WINDOW"; do
    [ -e "$tool" ] || { echo "SKIP: no $tool; build the Linux tree first"; exit 77; }
done
e2e_setup "$1"
NOTES=$(e2e_file_name notes)
LD_PRELOAD=$SLOW_OPEN SLOW_OPEN_NAME=$NOTES SLOW_OPEN_SECONDS=10 e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
hold_class_file() {
    "$HOLD_LOCK_BYTE" "$E2E_SHARE/responses.txt" >"$E2E_DIR/held" &
    holder=$!
    e2e_wait_for "the class file's lock to be held" grep -q held "$E2E_DIR/held"
}

# While "display notes" waits 10 s on its file, the picture timer draws and the window shows it.
printf 'a note\r\n' >"$E2E_DATA/$NOTES"
e2e_click cmd_pend_exp
e2e_click cmd_display_note_file
sleep 1
grab() { env XDG_RUNTIME_DIR="$E2E_DIR/runtime" QT_QPA_PLATFORM=xcb "$GRAB_WINDOW" "$E2E_FORM" "$E2E_DIR/$1"; }
grab first.png
sleep 5
grab later.png
! cmp -s "$E2E_DIR/first.png" "$E2E_DIR/later.png" || e2e_fail "the window stood still while a file call waited"
if ((E2E_WINE)); then
    [ "$(e2e_tool "$IS_HUNG")" = responding ] || e2e_fail "Windows takes the waiting window for one that hangs"
fi
e2e_expect_box txt_question "a note"

# What is typed while a response waits 2.5 s for the class file goes into the emptied box.
hold_class_file
e2e_click cmdNextQuestion
e2e_type_into txt_answer "first"
e2e_click cmd_enter_response
e2e_type_into txt_answer "typed ahead"
sleep 2
kill "$holder"
e2e_expect_box txt_answer "typed ahead"
cmp -s "$E2E_SHARE/responses.txt" <(printf 'first\r\n') || e2e_fail "the class file holds $(cat -A "$E2E_SHARE/responses.txt")"

# The close box while a response waits for a class file that stays held: the program ends once
# its message is answered.
hold_class_file
e2e_click cmd_enter_response
sleep 0.5
"$CLOSE_WINDOW" "$E2E_FORM"
e2e_wait_dialog
xdotool key Return
e2e_expect_exit
kill "$holder"
grep -rq "typed ahead" "$E2E_DATA" || e2e_fail "the response closed on is lost"
echo "PASS: a slow share freezes nothing and loses no key and no close"
