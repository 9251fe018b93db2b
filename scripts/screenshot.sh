#!/usr/bin/env bash
# Takes the README's pictures of the real window in a private X server, with a question
# fetched, an answer being typed and the timer drawing its circles: docs/window.png of the
# Linux program, docs/window-windows.png of the Windows program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh tests
cmake --build build --target classjournal grab_window print_controls -j"$(nproc)"
cmake --build build-windows --target classjournal print_controls -j"$(nproc)"
grab_window=$PWD/build/tests/e2e/grab_window
source tests/e2e/driver.sh

# $1: the picture to take, once the driver has set the program up.
take_picture() {
    e2e_start_program
    e2e_answer_start_up 1 "Student One" STO 1
    e2e_wait_form
    e2e_click cmdNextQuestion
    e2e_type_into txt_answer "The current doubles when the resistance is halved, by Ohm's law."
    e2e_click cmd_pend_exp
    sleep 0.3
    xdotool mousemove 1000 700   # off the window, so that no button shows the pointer over it
    env XDG_RUNTIME_DIR="$E2E_DIR/runtime" QT_QPA_PLATFORM=xcb "$grab_window" "$E2E_FORM" "$1"
    e2e_click cmd_quit
    e2e_expect_exit
    echo "$1 taken"
}

(
    E2E_PRINT_CONTROLS=build/tests/e2e/print_controls
    e2e_setup build/app/classjournal
    take_picture docs/window.png
)
(
    E2E_PRINT_CONTROLS=build-windows/tests/e2e/print_controls.exe
    e2e_setup build-windows/app/classjournal.exe
    take_picture docs/window-windows.png
)
