# The real program on a private virtual desktop, for the desktop tests. Source it from a test
# script after setting `program` (the executable) and `artefacts` (where screenshots and, on
# failure, logs are kept); it starts the desktop and gives the program a home of its own.
#   start_program LOG [ENV...]   start the program (with extra environment), its id in $started
#   start_helper LOG COMMAND...  start a helper service in a process group of its own, so that
#                                the services it starts in turn end with it
#   start_status_notifier_host [ENV...] start a watcher and a host of the StatusNotifierItem
#                                protocol on the session bus (the host with the extra
#                                environment) and wait until the host is registered
#   wait_for_exit PID            wait up to 20 s for it to end; its exit status in $status
#   fail MESSAGE                 screenshot, then end the test as failed
#   wait_for_notice              wait up to 10 s for a notice window, its id in $notice
#   check_notice_place           fail unless the notice sits at the bottom right of the work area
# Every process started here is ended by its id when the script ends.

support_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/desktop-test-env.sh
source "$support_dir/../../scripts/desktop-test-env.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/tickwell-desktop.XXXXXX")
rm -rf "$artefacts"
mkdir -p "$artefacts"

app_pids=()
helper_groups=()
cleanup() {
    local exit_status=$?
    for pid in "${app_pids[@]}"; do
        kill -9 "$pid" 2>/dev/null || true
    done
    for group in "${helper_groups[@]}"; do
        kill -9 -- "-$group" 2>/dev/null || true
    done
    desktop_stop
    if [ $exit_status -ne 0 ]; then
        cp "$work"/*.log "$artefacts"/ 2>/dev/null || true
        cp "$work"/env/*.log "$artefacts"/ 2>/dev/null || true
    fi
    rm -rf "$work"
    exit $exit_status
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    desktop_screenshot "$artefacts/failure.png" 2>/dev/null || true
    exit 1
}

desktop_start "$work/env"

# A home of its own: nothing of the person running the test is read or written.
export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset TICKWELL_CONFIG_DIR WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL=C.UTF-8
store_dir=$XDG_CONFIG_HOME/tickwell

start_program() { # LOG [ENV...] -> sets $started
    local log=$1
    shift
    env "$@" "$program" >"$work/$log" 2>&1 &
    started=$!
    app_pids+=("$started")
}

start_helper() { # LOG COMMAND...
    local log=$1
    shift
    setsid "$@" >"$work/$log" 2>&1 &
    helper_groups+=("$!")
}

status_notifier_host_registered() {
    gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
        --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher \
        IsStatusNotifierHostRegistered 2>/dev/null | grep -q true
}
start_status_notifier_host() { # [ENV...]
    start_helper watcher.log status-notifier-watcher
    start_helper host.log env "$@" gtk-sni-tray-standalone --top --end --no-strut
    desktop_wait_until 30 status_notifier_host_registered ||
        fail "no host of the StatusNotifierItem protocol registered with the watcher"
}

# Waits up to 20 s for a process of ours to end; its exit status goes to $status. (The shell
# reaps its children as they end, so a process that ended no longer answers kill -0.)
process_ended() { ! kill -0 "$1" 2>/dev/null; }
wait_for_exit() {
    local pid=$1
    desktop_wait_until 20 process_ended "$pid" || return 1
    status=0
    wait "$pid" || status=$?
}

# Waits for a notice window; its id in $notice.
wait_for_notice() {
    notice=$(desktop_wait_window '^Напоминание$' 10) || fail "no notice window appeared"
}

# The notice window sits in the bottom-right corner of the screen's work area (the tray host
# takes the top of the screen here, so the work area ends at the screen's bottom edge).
# The window is measured right after it appears; one that closed before it could be measured
# (a busy machine) is followed by the next notice, one period later.
check_notice_place() {
    local info x y width height attempt
    for attempt in 1 2 3; do
        info=$(xwininfo -id "$notice" 2>/dev/null) && break
        wait_for_notice
    done
    [ -n "$info" ] || fail "no notice stayed on screen long enough to be measured"
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
    height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
    [ $((x + width)) -ge 1270 ] && [ $((x + width)) -le 1280 ] ||
        fail "the notice is not at the right edge (x $x, width $width)"
    [ $((y + height)) -ge 790 ] && [ $((y + height)) -le 800 ] ||
        fail "the notice is not at the bottom (y $y, height $height)"
}
