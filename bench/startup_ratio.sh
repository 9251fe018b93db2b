#!/usr/bin/env bash
# Start-up: the time from starting classjournal to its first prompt being shown in the X server,
# against one_prompt, a program that shows nothing but one prompt. Given the Linux build, the
# Qt program against a Qt prompt, at most 1.3 times as long; given the Windows build,
# classjournal.exe against a Win32 prompt under Wine, at most 1.2 times. Both run in turns in
# one private X server; the medians of many rounds are compared.
# Usage: bench/startup_ratio.sh [BUILD-DIRECTORY] (default: build; the timer always comes from
# build). ROUNDS=n sets the rounds.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
rounds=${ROUNDS:-21}
timer=$PWD/build/bench/first_window_timer

source tests/e2e/driver.sh
if [ -e "$build/app/classjournal.exe" ]; then
    limit=1.2
    e2e_setup "$build/app/classjournal.exe"
    starter=("$WINE")
    baseline_program=$build/bench/one_prompt.exe
else
    limit=1.3
    e2e_setup "$build/app/classjournal"
    starter=()
    baseline_program=$build/bench/one_prompt
fi

seconds_to_first_prompt() {
    env HOME="$E2E_HOME" XDG_RUNTIME_DIR="$E2E_DIR/runtime" QT_QPA_PLATFORM=xcb \
        "$timer" "Class Journal" "$E2E_WAIT_SECONDS" "${starter[@]}" "$1"
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The first start of each fills the caches that every later start finds full.
seconds_to_first_prompt "$E2E_PROGRAM" >/dev/null
seconds_to_first_prompt "$baseline_program" >/dev/null
measured=() baseline=()
for _ in $(seq "$rounds"); do
    measured+=("$(seconds_to_first_prompt "$E2E_PROGRAM")")
    baseline+=("$(seconds_to_first_prompt "$baseline_program")")
done

m=$(median "${measured[@]}") b=$(median "${baseline[@]}")
awk -v m="$m" -v b="$b" -v limit="$limit" -v rounds="$rounds" 'BEGIN {
    ratio = m / b
    printf "first prompt, median of %d starts: classjournal %.1f ms, one_prompt %.1f ms\n", rounds, m * 1000, b * 1000
    printf "ratio classjournal / one_prompt = %.3f (at most %.2f)%s\n", ratio, limit, ratio <= limit ? "" : "  OVER"
    exit ratio <= limit ? 0 : 1
}'
