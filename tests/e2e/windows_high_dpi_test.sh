#!/usr/bin/env bash
# The window on a screen too small for the form at its density: at 192 dots per inch the form
# is 1450 x 1146 pixels, on a screen of 1280 x 1024. The window stays on the screen, and the
# keyboard's Tab brings the controls past its edge into view: "quit program", at the form's
# top-right corner, is then shown at the view's, where a click presses it.
# $1: classjournal.exe.
export CLASSJOURNAL_WINE_DPI=192 E2E_SCREEN=1280x1024x24
source "$(dirname "$0")/driver.sh"
e2e_setup "$1"
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form

eval "$(xdotool getwindowgeometry --shell "$E2E_FORM")"
((X >= 0 && Y >= 0 && X + WIDTH <= 1280 && Y + HEIGHT <= 1024)) ||
    e2e_fail "the window, ${WIDTH}x$HEIGHT at $X,$Y, leaves the screen"

# From the question box, one Tab for each control before "quit program" that takes the focus.
tabs=0
while read -r name _; do
    [ "$name" != cmd_quit ] || break
    [[ $name == lbl_* ]] || tabs=$((tabs + 1))
done < <(e2e_tool "$E2E_PRINT_CONTROLS")
for _ in $(seq "$tabs"); do xdotool key --delay 50 Tab; done
# The view's right edge is the vertical scroll bar's left; the button shows 90 of its pixels.
xdotool mousemove --window "$E2E_FORM" $((WIDTH - 32 - 45)) 33 click 1
e2e_expect_exit
echo "PASS: on a screen smaller than the form, the window stays on it and its last controls are reached and pressed"
