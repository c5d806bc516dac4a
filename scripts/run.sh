#!/usr/bin/env bash
# Installs what the project needs, builds it, and starts Tickwell.
#   scripts/run.sh               start the program
#   scripts/run.sh --reg ARGS... run the settings store's command-line tool instead; with no
#                                ARGS it lists the program's settings, e.g.
#     scripts/run.sh --reg add 'HKLM\SOFTWARE\Tickwell2' /v imagesTimeout /t REG_DWORD /d 30
# On a machine without a display (neither DISPLAY nor WAYLAND_DISPLAY set) the program runs on
# a virtual desktop of its own (Xvfb with a window manager and a tray host); a screenshot taken
# after start-up is saved under artifacts/, and Ctrl+C ends the program and that desktop.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
bash scripts/build.sh build >/dev/null

if [ "${1:-}" = "--reg" ]; then
    shift
    if [ $# -eq 0 ]; then
        set -- query 'HKLM\SOFTWARE\Tickwell2' /s
    fi
    exec "$root/build/tools/reg/tickwell-reg" "$@"
fi

program=$root/build/app/tickwell
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" "$@"
fi

# No display: a virtual one, kept until the program ends or the user presses Ctrl+C.
source "$root/scripts/desktop-test-env.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/tickwell-run.XXXXXX")
program_pid=""
finish() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    desktop_stop
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

desktop_start "$work/desktop"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
export LC_ALL=C.UTF-8

"$program" "$@" &
program_pid=$!
if desktop_wait_window '^Tickwell v2\.0$' 30 >/dev/null; then
    sleep 1
    mkdir -p "$root/artifacts"
    shot=$root/artifacts/tickwell-$(date +%Y%m%d-%H%M%S).png
    desktop_screenshot "$shot"
    echo "Tickwell runs on the virtual display $DISPLAY; screenshot after start-up: $shot"
else
    echo "Tickwell showed no window on the virtual display $DISPLAY within 30 s (it may have started in the tray)" >&2
fi
echo "Press Ctrl+C to end it."
status=0
wait "$program_pid" || status=$?
program_pid=""
exit $status
