#!/usr/bin/env bash
# The instructor's report of a term, 40 students x 40 days, against reading the same files with
# cat (to /dev/null, the files in the page cache): the median of many rounds, each taking turns,
# may be at most 3 times cat's. Its memory: the peak resident size at 10 and at 40 days may grow
# by no more than 3 times what the report's own files grow by, so that it holds the report
# and never the files it reads.
# Usage: bench/report_ratio.sh [BUILD-DIRECTORY] (default: build). ROUNDS=n sets the rounds.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
rounds=${ROUNDS:-15}
work=$(mktemp -d "${TMPDIR:-/tmp}/classjournal-term.XXXXXX")
trap 'rm -rf "$work"' EXIT

for days in 10 40; do
    "$build/bench/term_folder" "$work/term$days" 40 "$days"
    mkdir "$work/out$days"
done
mapfile -t files < <(find "$work/term40" -type f | sort)

seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
report() { "$build/app/classjournal-report" --out "$work/out$1" "$work/term$1"; }

cat "${files[@]}" >/dev/null
report 40 >/dev/null
measured=() baseline=()
for _ in $(seq "$rounds"); do
    baseline+=("$(seconds cat "${files[@]}")")
    measured+=("$(seconds report 40)")
done

# The peak resident size of one run, in KiB.
peak() {
    python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], check=True, stdout=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$build/app/classjournal-report" --out "$work/out$1" "$work/term$1"
}
size() { du -k --apparent-size -c "$work/out$1"/*.html "$work/out$1"/*.csv "$work/out$1"/days/*.html | tail -1 | cut -f1; }
input=$(du -k --apparent-size -c "${files[@]}" | tail -1 | cut -f1)

awk -v m="$(median "${measured[@]}")" -v b="$(median "${baseline[@]}")" -v rounds="$rounds" -v n="${#files[@]}" \
    -v input="$input" -v p10="$(peak 10)" -v p40="$(peak 40)" -v s10="$(size 10)" -v s40="$(size 40)" 'BEGIN {
    ratio = m / b
    printf "term of 40 students x 40 days: %d files, %d KiB; median of %d rounds\n", n, input, rounds
    printf "classjournal-report %.1f ms, cat %.1f ms\n", m / 1000, b / 1000
    printf "ratio classjournal-report / cat = %.3f (at most 3.00)%s\n", ratio, ratio <= 3 ? "" : "  OVER"
    growth = (p40 - p10) / (s40 - s10)
    printf "peak resident size: %d KiB at 10 days, %d KiB at 40 days; report files %d KiB and %d KiB\n", p10, p40, s10, s40
    printf "growth of the peak / growth of the report = %.3f (at most 3.00)%s\n", growth, growth <= 3 ? "" : "  OVER"
    exit ratio <= 3 && growth <= 3 ? 0 : 1
}'
