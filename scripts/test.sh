#!/usr/bin/env bash
# Installs what the project needs, builds it twice (plain, and with the address and
# undefined-behaviour sanitizers) and runs the whole test suite in both builds, then the fuzz
# targets for about a minute. Tests labelled 'long' (ctest -L long) are left to be run by hand.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh

jobs=$(nproc)
status=0

bash scripts/build.sh build
(cd build && ctest --output-on-failure -j "$jobs" -LE long) || status=1

bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTICKWELL_SANITIZE=ON
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j "$jobs" -LE 'no-sanitizer|desktop|long') || status=1

# The fuzz targets with clang's libFuzzer, 12 s each (skipped where clang is missing).
bash fuzz/run.sh 12 || status=1

exit $status
