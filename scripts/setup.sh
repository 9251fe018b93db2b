#!/usr/bin/env bash
# Installs whatever a fresh Debian 12 machine lacks, then configures the build tree.
# With the argument "tests" it adds what the tests and benchmarks need, the Windows cross
# compiler and Wine among them, and configures the Windows build tree whose tests run under
# Wine; without it, only what building and running the program needs.
set -euo pipefail
cd "$(dirname "$0")/.."

with_tests=OFF
[ "${1:-}" = tests ] && with_tests=ON

# libxcb1-dev: the window takes its close box's request from X itself while a message stands over it.
packages=(cmake g++ make pkg-config qt6-base-dev libxcb1-dev fonts-liberation)
if [ "$with_tests" = ON ]; then
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool xclip dpkg-dev
    lintian appstream
    man-db bsdextrautils  # the documents as man shows them
    locales  # the tests generate a Turkish locale from its sources
    g++-mingw-w64-x86-64-posix wine64 googletest
    wixl msitools  # the Windows Installer package, and its tables read and mended
    chromium python3  # the report's page opened in a browser, its table read by Python's csv module
    strace  # the calls a response makes, counted by a benchmark
  )
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

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCLASSJOURNAL_TESTS="$with_tests" -DCLASSJOURNAL_BENCHMARKS="$with_tests"
if [ "$with_tests" = ON ]; then
  # The Windows program, its Win32 window, the run logic's tests, and the baseline of the
  # start-up benchmark under Wine.
  cmake -S . -B build-windows --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCLASSJOURNAL_BENCHMARKS=ON \
    -DCLASSJOURNAL_GTEST_SOURCE="$(dpkg -L googletest | grep -m1 '^/usr/src/googletest$')"
fi
