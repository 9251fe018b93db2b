#!/usr/bin/env bash
# Sets up, builds and runs every test, those of the Windows build under Wine included.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh tests
cmake --build build -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
cmake --build build-windows -j"$(nproc)"
ctest --test-dir build-windows -L windows --output-on-failure
