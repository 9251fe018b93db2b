#!/usr/bin/env bash
# Installs whatever a fresh Debian 12 machine lacks, then configures the build tree.
# With --tests, also what only the tests need: the Windows cross compiler and Wine, and the
# Windows build tree whose tests run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  qt6-base-dev fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool xclip libxcb1-dev dpkg-dev
)
windows_test_packages=(g++-mingw-w64-x86-64-posix wine64 googletest)
with_tests=false
if [ "${1:-}" = --tests ]; then
  with_tests=true
  packages+=("${windows_test_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if $with_tests; then
  # Only the run logic and its tests: the window needs Qt for Windows, which Debian lacks.
  cmake -S . -B build-windows --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCLASSJOURNAL_WINDOW=OFF -DCLASSJOURNAL_BENCHMARKS=OFF \
    -DCLASSJOURNAL_GTEST_SOURCE="$(dpkg -L googletest | grep -m1 '^/usr/src/googletest$')"
fi
