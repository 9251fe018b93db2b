#!/usr/bin/env bash
# The build options bend without breaking: with the tests off and the benchmarks on, and with
# both off, the project configures and builds; with the tests on and the benchmarks off it
# configures (building it would only repeat the tests of the full build that runs this one).
# All share one build folder of their own, kept between runs and built without optimisation,
# so each combination builds only what the one before lacked.
# $1: cmake; $2: the source tree; $3: the build folder; the rest: options for every configure.
set -euo pipefail
cmake=$1 source=$2 build=$3
shift 3

configure() {
    echo "== configure with $*"
    "$cmake" -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=None "$@" >"$build.log" 2>&1 || {
        cat "$build.log"
        exit 1
    }
}

mkdir -p "$build"
configure "$@" -DCLASSJOURNAL_TESTS=ON -DCLASSJOURNAL_BENCHMARKS=OFF
for benchmarks in ON OFF; do
    configure "$@" -DCLASSJOURNAL_TESTS=OFF -DCLASSJOURNAL_BENCHMARKS=$benchmarks
    "$cmake" --build "$build" -j"$(nproc)"
done
echo "PASS: every combination of the build options configures, and without the tests builds"
