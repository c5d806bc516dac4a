#!/usr/bin/env bash
# Installs what the project needs, builds it twice (plain, and with the address and
# undefined-behaviour sanitizers) and runs the whole test suite in both builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh

jobs=$(nproc)
status=0

bash scripts/build.sh build
(cd build && ctest --output-on-failure -j "$jobs") || status=1

bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTICKWELL_SANITIZE=ON
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j "$jobs" -LE 'no-sanitizer|desktop') || status=1

exit $status
