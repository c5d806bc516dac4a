#!/usr/bin/env bash
# Times the program from its start to its main window on the screen, on a store of 500 daily
# tasks: the first start of a day, when every task was done the day before and begins a new
# cycle, against a start later that day on the same store, when nothing changes. Three pairs,
# each on a fresh copy of the store; medians and the ratio. Takes about a minute.
#   bench/startup-bench.sh [BUILD_DIR]      (default: build)
# The program and tickwell-reg are taken from BUILD_DIR as they are; nothing is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

work=$(mktemp -d "${TMPDIR:-/tmp}/tickwell-bench.XXXXXX")
# shellcheck source=../scripts/desktop-test-env.sh
source "$root/scripts/desktop-test-env.sh"
trap 'desktop_stop; rm -rf "$work"' EXIT
desktop_start "$work/desktop"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
export LC_ALL=C.UTF-8
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

/usr/bin/python3 "$root/bench/startup_bench.py" \
    --program "$build/app/tickwell" \
    --reg "$build/tools/reg/tickwell-reg" \
    --work "$work/stores"
