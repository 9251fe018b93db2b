#!/usr/bin/env bash
# classjournal-report.exe --live under Wine serves the page and the lines of a class file that
# classjournal.exe writes, in the same prefix, and ends cleanly on Ctrl+C.
# $1: classjournal.exe, $2: classjournal-report.exe.
source "$(dirname "$0")/driver.sh"

e2e_setup "$1"
"$WINE" "$2" --live 'i:\responses.txt' --no-browser >"$E2E_DIR/live.out" 2>"$E2E_DIR/live.err" &
live=$!
trap 'status=$?; kill "$live" 2>/dev/null || true; e2e_teardown "$status"' EXIT
e2e_wait_for "the live view's address" grep -q . "$E2E_DIR/live.out"
address=$(head -n1 "$E2E_DIR/live.out" | tr -d '\r')

e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
e2e_click cmdNextQuestion
e2e_paste_into txt_answer "café"
e2e_click cmd_enter_response
python3 - "$address" <<'PY' || e2e_fail "the live view did not serve the page and the answer"
import json, sys, time, urllib.request
address = sys.argv[1]
get = lambda url: urllib.request.urlopen(url, timeout=5).read().decode()
assert 'id="wall"' in get(address)
for _ in range(100):
    if json.loads(get(address + "lines"))["lines"] == ["café"]: sys.exit(0)
    time.sleep(0.1)
sys.exit(1)
PY
kill -INT "$live"
wait "$live" || e2e_fail "the live view did not end cleanly on Ctrl+C"
echo "PASS: the Windows live view served the answer classjournal.exe wrote"
