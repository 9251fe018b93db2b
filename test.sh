#!/usr/bin/env bash
# Sets up, builds and runs every test, those of the Windows build under Wine included.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh tests
# Both builds first: the report's end-to-end test compares the Windows build's report with Linux's.
cmake --build build -j"$(nproc)"
cmake --build build-windows -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
ctest --test-dir build-windows -L windows --output-on-failure
