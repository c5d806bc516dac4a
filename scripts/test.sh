#!/usr/bin/env bash
# Installs what the project needs, checks the formatting, builds the program three ways (plain;
# without the desktop program, which proves that the store, the imaging libraries and the tools
# need no widgets; with the address and undefined-behaviour sanitizers) and runs the test suite
# of each build. The Debian package is made from the plain build and checked unpacked. Then the
# fuzz targets run for about a minute. Tests labelled 'long' (ctest -L long) are left to be run
# by hand.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh

jobs=$(nproc)
status=0

bash scripts/format.sh --check || status=1

bash scripts/build.sh build
(cd build && ctest --output-on-failure -j "$jobs" -LE long) || status=1
if deb=$(bash scripts/package.sh build); then
    bash tests/package/check_package.sh "$deb" build/package-artefacts || status=1
else
    status=1
fi

bash scripts/build.sh build-nogui -DTICKWELL_BUILD_GUI=OFF
(cd build-nogui && ctest --output-on-failure -j "$jobs" -LE long) || status=1

bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTICKWELL_SANITIZE=ON
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j "$jobs" -LE 'no-sanitizer|desktop|long') || status=1

# The fuzz targets with clang's libFuzzer, 12 s each (skipped where clang is missing).
bash fuzz/run.sh 12 || status=1

exit $status
