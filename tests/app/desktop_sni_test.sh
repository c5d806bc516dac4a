#!/usr/bin/env bash
# The program on a desktop whose notification area speaks the StatusNotifierItem protocol (a
# watcher and a host on the session bus, as on KDE, GNOME with its indicator extension, XFCE
# or LXQt): its icon is an item of the protocol, its menu is published over D-Bus with the same
# six items and check marks, a click on the menu runs the same handlers, the host's click brings
# the hidden window back, and "Выход" ends the program. Screenshots are kept in the artefacts
# folder.
#   desktop_sni_test.sh TICKWELL_EXECUTABLE ARTEFACTS_DIR
set -euo pipefail

program=$(readlink -f "$1")
artefacts=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/desktop_program.sh
source "$here/../support/desktop_program.sh"

# Only the protocol's host: the classic notification area goes away.
desktop_stop_tray
start_helper at-spi.log /usr/libexec/at-spi-bus-launcher --launch-immediately
start_status_notifier_host

start_program sni.log QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
pid=$started
window=$(desktop_wait_window '^Tickwell v2\.0$' 30) || fail "the main window did not appear"
sleep 0.5 # the host draws the icon
desktop_screenshot "$artefacts/icon-in-the-host.png"

/usr/bin/python3 "$here/desktop_sni.py" "$here/../support" "$pid" "$window" \
    >"$work/driver.log" 2>&1 || {
    cat "$work/driver.log" >&2
    fail "the item over the protocol"
}
cat "$work/driver.log"
wait_for_exit "$pid" || fail "'Выход' over the protocol did not end the program"
[ "$status" = 0 ] || fail "the program ended with status $status"
echo "passed"
