#!/usr/bin/env bash
# The program in a Wayland session (a headless compositor of its own): with the compositor's X
# server (XWayland) it runs there, shows its main window, and its icon is an item of the
# StatusNotifierItem protocol when the session has a watcher and host; without an X server it
# says in one line that it needs one and ends with status 1, without an abort. Screenshots are
# kept in the artefacts folder.
#   desktop_wayland_test.sh TICKWELL_EXECUTABLE ARTEFACTS_DIR
set -euo pipefail

program=$(readlink -f "$1")
artefacts=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/desktop_program.sh
source "$here/../support/desktop_program.sh"
desktop_stop_tray

# The compositor with XWayland; it names the X display it listens on in its log.
socket=tickwell-wayland-$$
start_helper weston.log weston --backend=headless-backend.so --xwayland --socket="$socket" \
    --width=1280 --height=800 --idle-time=0 --log="$work/weston-log.txt"
xwayland_display() { grep -o 'xserver listening on display :[0-9]*' "$work/weston-log.txt" \
    2>/dev/null | grep -o ':[0-9]*$'; }
desktop_wait_until 30 xwayland_display >/dev/null || fail "the compositor did not start XWayland"
x_display=$(xwayland_display)

# Without an X server: one line, status 1. Neither an unset DISPLAY nor one nobody answers
# on may end in the toolkit's abort.
for display in "" ":$((RANDOM % 1000 + 2000))"; do
    code=0
    env -u DISPLAY ${display:+DISPLAY=$display} WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland \
        "$program" >"$work/no-x.out" 2>"$work/no-x.err" || code=$?
    [ "$code" = 1 ] || fail "without an X server the program ended with status $code"
    [ "$(wc -l <"$work/no-x.err")" = 1 ] && grep -q 'XWayland' "$work/no-x.err" ||
        fail "without an X server the program said: $(cat "$work/no-x.err")"
done
echo "without an X server: $(cat "$work/no-x.err")"

# A watcher and a host of the protocol, the host a native client of the compositor.
start_status_notifier_host GDK_BACKEND=wayland WAYLAND_DISPLAY="$socket"

export DISPLAY=$x_display
start_program wayland.log WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland
pid=$started
window=$(desktop_wait_window '^Tickwell v2\.0$' 30) || fail "the main window did not appear on XWayland"
# Whether the watcher lists an item of the program's process (an entry is a bus name, maybe
# followed by the item's object path).
item_registered() {
    local entry
    for entry in $(gdbus call --session --dest org.kde.StatusNotifierWatcher \
        --object-path /StatusNotifierWatcher --method org.freedesktop.DBus.Properties.Get \
        org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems 2>/dev/null |
        grep -o "'[^']*'" | tr -d "'"); do
        gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.GetConnectionUnixProcessID "${entry%%/*}" |
            grep -q "uint32 $pid," && return 0
    done
    return 1
}
desktop_wait_until 20 item_registered || fail "the icon is no item of the protocol"
sleep 0.5 # the first paint
import -window "$window" "$artefacts/main-window-on-xwayland.png" 2>/dev/null || true
kill -0 "$pid" || fail "the program ended on XWayland"
echo "on XWayland $x_display: the main window $window and the item of process $pid"
echo "passed"
