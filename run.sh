#!/usr/bin/env bash
# Sets up, builds and starts Class Journal.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake --build build --target classjournal -j"$(nproc)"
exec build/app/classjournal
