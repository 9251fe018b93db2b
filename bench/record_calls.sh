#!/usr/bin/env bash
# A response against a bare append of the same bytes to the same two files (the send file and
# the class file): create when missing, append, flush, close, nothing checked and nothing locked.
# A response may make at most 1.3 times the system calls, counted over a number of responses
# less those of a run that makes one: on Linux the calls on files and descriptors that strace
# sees; given the Windows build, under Wine, the NT system calls (Nt*) that the program's
# Windows calls make, as Wine's relay trace shows them, which are what reaches the file system
# on Windows too, where Wine's own Linux calls are not. On a share each call is a trip to the
# file server; the time on a local disk is bench/recording_bench's.
# Usage: bench/record_calls.sh [BUILD-DIRECTORY] (default: build). RESPONSES=n sets the responses.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
responses=${RESPONSES:-20}
work=$(mktemp -d "${TMPDIR:-/tmp}/classjournal-calls.XXXXXX")
trap 'rm -rf "$work"' EXIT

if [ -e "$build/bench/recording_rounds.exe" ]; then
    source scripts/wine_prefix.sh
    trap 'wine_prefix_remove; rm -rf "$work"' EXIT
    wine_prefix_make "$work/wine"
    rounds_of() { "$WINE" "$build/bench/recording_rounds.exe" "$@" | tr -d '\r'; }
    count() {
        WINEDEBUG=+relay rounds_of "$1" "$2" 2>&1 >/dev/null | grep -o 'Call ntdll\.Nt[A-Za-z]*' |
            sed 's/Call ntdll\.//' | sort | uniq -c | awk '{ print $2, $1 }'
    }
else
    count() {
        strace -f -c -U calls,name -e trace=%file,%desc -o "$work/$1$2" "$build/bench/recording_rounds" "$1" "$2" >/dev/null
        awk '$2 ~ /^[a-z_0-9]+$/ && $2 != "total" && $2 !~ /^mmap|^munmap/ { print $2, $1 }' "$work/$1$2" | sort
    }
fi

# Per response or bare append (\$1), the calls of each name.
per_response() {
    join -a1 -a2 -e 0 -o 0,1.2,2.2 <(count "$1" "$((responses + 1))") <(count "$1" 1) |
        awk -v n="$responses" '{ printf "%s %g\n", $1, ($2 - $3) / n }'
}
join -a1 -a2 -e 0 -o 0,1.2,2.2 <(per_response record) <(per_response bare) | awk -v n="$responses" '
    BEGIN { printf "calls per response, over %d responses\n%-28s %6s %6s\n", n, "call", "record", "bare" }
    $2 != 0 || $3 != 0 { printf "%-28s %6g %6g\n", $1, $2, $3; m += $2; b += $3 }
    END {
        ratio = m / b
        printf "%-28s %6g %6g\n", "total", m, b
        printf "ratio response / bare append = %.3f in calls (at most 1.30)%s\n", ratio, ratio <= 1.3 ? "" : "  OVER"
        exit ratio <= 1.3 ? 0 : 1
    }'
