#!/usr/bin/env bash
# Each program's command line as a person meets it: --help prints the usage and --version the
# program's name and version, both with status 0 and even where there is no display; an option
# the program does not know is refused with one line on standard error and status 2. tickwell
# started where there is no display says so in one line and ends with a non-zero status.
#   command_line_test.sh VERSION PROGRAM...
set -euo pipefail
version=$1
shift
work=$(mktemp -d "${TMPDIR:-/tmp}/tickwell-options.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# Runs PROGRAM ARGS... without any display; fills $out, $err and $status.
run() {
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE -u QT_QPA_PLATFORM \
        HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
        LC_ALL=C.UTF-8 "$@" >"$work/out" 2>"$work/err" || status=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}
one_line() { [ -n "$1" ] && [ "$(printf '%s\n' "$1" | wc -l)" -eq 1 ]; }

for program in "$@"; do
    name=$(basename "$program")
    for help in --help -h; do
        [ "$name" != tickwell-reg ] || [ "$help" = --help ] || help='/?'
        run "$program" "$help"
        { [ "$status" = 0 ] && [[ "$out" == *"$name"* ]] && [ -z "$err" ]; } ||
            fail "$name $help: status $status, output: $out$err"
    done

    run "$program" --version
    { [ "$status" = 0 ] && [ "$out" = "$name $version" ] && [ -z "$err" ]; } ||
        fail "$name --version: status $status, '$out', expected '$name $version' $err"

    # Where the window program needs a display to read the toolkit's options, it gets one that
    # draws nowhere.
    run env QT_QPA_PLATFORM=offscreen "$program" --no-such-option
    { [ "$status" = 2 ] && [ -z "$out" ] && one_line "$err" && [[ "$err" == *--no-such-option* ]]; } ||
        fail "$name --no-such-option: status $status, output: $out$err"

    if [ "$name" = tickwell ]; then
        run "$program"
        { [ "$status" != 0 ] && [ -z "$out" ] && one_line "$err"; } ||
            fail "$name without a display: status $status, output: $out$err"
    fi
done

if [ $failures -gt 0 ]; then
    exit 1
fi
echo "command lines of $# programs as expected"
