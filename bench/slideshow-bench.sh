#!/usr/bin/env bash
# Times the slideshow's show step as a person sees it, from the slideshow tick to the picture
# drawn on a 1920 x 1080 screen, for the 6000 x 4000 baseline photograph, next to
# tickwell-resample's decode-and-fit of the same file in the same run; and the program's
# resident memory once the picture has closed, against its idle size. Takes a minute or two.
#   bench/slideshow-bench.sh [BUILD_DIR]      (default: build-bench-gui)
# The input is made once and kept in BUILD_DIR/bench-data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench-gui}

bash "$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTICKWELL_BUILD_BENCH=ON \
    -DTICKWELL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tickwell-resample tickwell-slideshow-bench -j "$(nproc)" >/dev/null

# A virtual desktop of that size, with a window manager, of its own.
work=$(mktemp -d "${TMPDIR:-/tmp}/tickwell-bench.XXXXXX")
desktop_screen_size=1920x1080
# shellcheck source=../scripts/desktop-test-env.sh
source "$root/scripts/desktop-test-env.sh"
trap 'desktop_stop; rm -rf "$work"' EXIT
desktop_start "$work/desktop"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
export TICKWELL_CONFIG_DIR=$work/store
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

/usr/bin/python3 "$root/bench/slideshow_bench.py" \
    --tool "$build/tools/resample/tickwell-resample" \
    --bench "$build/bench/tickwell-slideshow-bench" \
    --data "$build/bench-data"
