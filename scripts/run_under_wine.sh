#!/usr/bin/env bash
# Runs a Windows program under Wine in a Wine prefix of its own, removed afterwards.
# With CLASSJOURNAL_FILE_SIZE_LIMIT_KB set, the program may grow no file past that size: a
# write that crosses it is cut short, then fails, as on a full disk.
set -euo pipefail
source "$(dirname "$0")/wine_prefix.sh"

trap wine_prefix_remove EXIT
wine_prefix_make "$(mktemp -d "${TMPDIR:-/tmp}/classjournal-wine-XXXXXX")"

status=0
if [ -n "${CLASSJOURNAL_FILE_SIZE_LIMIT_KB:-}" ]; then
  (ulimit -f "$CLASSJOURNAL_FILE_SIZE_LIMIT_KB"; trap '' XFSZ; exec "$WINE" "$@") || status=$?
else
  "$WINE" "$@" || status=$?
fi
exit "$status"
