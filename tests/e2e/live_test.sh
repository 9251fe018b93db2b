#!/usr/bin/env bash
# The live view on the class file while the real program records answers into it (the file is
# missing until the first): the page in headless Chromium (live_page.py tells what it checks),
# then Ctrl+C ends the view cleanly.
# $1 classjournal, $2 classjournal-report, $3 the folder for the screenshot.
source "$(dirname "$0")/driver.sh"

report=$2 artefacts=$3
e2e_setup "$1"
mkdir -p "$artefacts"
"$report" --live "$E2E_SHARE/responses.txt" --no-browser >"$E2E_DIR/live.out" 2>"$E2E_DIR/live.err" &
live=$!
trap 'status=$?; kill "$live" ${page:-} 2>/dev/null || true; e2e_teardown "$status"' EXIT
e2e_wait_for "the live view's address" grep -q . "$E2E_DIR/live.out"
python3 "$E2E_DRIVER_DIR/live_page.py" "$(head -n1 "$E2E_DIR/live.out")" "$E2E_SHARE/responses.txt" "$E2E_DIR" \
    "$artefacts/live.png" &
page=$!

e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
record() {
    e2e_click cmdNextQuestion
    e2e_type_into txt_answer "$1"
    e2e_click cmd_enter_response
}
record "alpha beta"
record "alpha gamma"
e2e_wait_for '"New question" on the page' test -e "$E2E_DIR/new-question"
record "<b>delta</b> & delta"
wait "$page" || e2e_fail "the page did not show the answers as it should"

kill -INT "$live"
status=0
wait "$live" || status=$?
[ "$status" -eq 0 ] && grep -q "ended" "$E2E_DIR/live.err" || e2e_fail "Ctrl+C did not end the view cleanly: $status"
echo "PASS: the answers reached the page, which hides, counts and draws the words as it should"
