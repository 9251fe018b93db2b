#!/usr/bin/env bash
# Runs a Windows program under Wine in a Wine prefix of its own, removed afterwards.
# With CLASSJOURNAL_FILE_SIZE_LIMIT_KB set, the program may grow no file past that size: a
# write that crosses it is cut short, then fails, as on a full disk.
set -euo pipefail

wine_dir=$(dirname "$(dpkg -L wine64 | grep -m1 '/wine64$')")
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/classjournal-wine-XXXXXX")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wine_dir/wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT

# The server is started first, so that a size limit below falls on the program alone.
"$wine_dir/wineserver" -p
"$wine_dir/wine64" wineboot -i >/dev/null 2>&1

status=0
if [ -n "${CLASSJOURNAL_FILE_SIZE_LIMIT_KB:-}" ]; then
  (ulimit -f "$CLASSJOURNAL_FILE_SIZE_LIMIT_KB"; trap '' XFSZ; exec "$wine_dir/wine64" "$@") || status=$?
else
  "$wine_dir/wine64" "$@" || status=$?
fi
exit "$status"
