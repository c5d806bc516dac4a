#!/usr/bin/env bash
# Times decoding + fitting a large JPEG picture to 1820 x 980, and the resampling alone, with
# tickwell-resample and with other tools on the same input files, and prints a table of medians
# with ratios. Takes a few minutes.
#   bench/resample-bench.sh [BUILD_DIR]      (default: build-bench)
# Inputs are made once and kept in BUILD_DIR/bench-data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}

# The tools compared with, from Debian; installed only when missing.
bash "$root/scripts/install-deps.sh" libvips-tools python3-pil imagemagick libjpeg-turbo-progs \
    time util-linux

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTICKWELL_BUILD_BENCH=ON \
    -DTICKWELL_BUILD_TESTS=OFF -DTICKWELL_BUILD_GUI=OFF >/dev/null
cmake --build "$build" --target tickwell-resample tickwell-resample-bench -j "$(nproc)" >/dev/null

# Debian's own Python: the one that has python3-pil.
exec /usr/bin/python3 "$root/bench/resample_bench.py" \
    --tool "$build/tools/resample/tickwell-resample" \
    --bench "$build/bench/tickwell-resample-bench" \
    --data "$build/bench-data"
