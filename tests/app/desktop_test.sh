#!/usr/bin/env bash
# The real program on a private virtual desktop (X server, window manager, tray host), used as a
# person would: it starts and shows its window; a second start is refused with a message and
# writes nothing; the close box ends it; a first instance that was killed does not block the
# next start. Given the desktop entry, the window is also checked to be the one it describes.
# Screenshots are kept in the artefacts folder.
#   desktop_test.sh TICKWELL_EXECUTABLE ARTEFACTS_DIR [DESKTOP_ENTRY]
set -euo pipefail

program=$1
artefacts=$2
entry=${3:-}
# shellcheck source=../support/desktop_program.sh
source "$(cd "$(dirname "$0")" && pwd)/../support/desktop_program.sh"

# What the store holds: every row of every table of its database, whatever state its
# write-ahead log is in.
store_digest() {
    python3 - "$store_dir/settings.db" <<'PY'
import hashlib, sqlite3, sys
db = sqlite3.connect("file:" + sys.argv[1] + "?mode=ro", uri=True)
digest = hashlib.sha256()
tables = [r[0] for r in db.execute("select name from sqlite_master where type='table' order by name")]
for table in tables:
    digest.update(table.encode())
    for row in sorted(repr(r) for r in db.execute('select * from "%s"' % table)):
        digest.update(row.encode())
print(len(tables), digest.hexdigest())
PY
}

# 1. The first start shows the main window.
start_program first.log
first=$started
window=$(desktop_wait_window '^Tickwell v2\.0$' 30) || fail "the main window did not appear"
sleep 0.5
desktop_screenshot "$artefacts/main-window.png"
[ -f "$store_dir/settings.db" ] || fail "the first start made no store"
before=$(store_digest)

# The desktop starts the program by the entry's Exec, and groups the window under the entry by
# its class; the window shows an icon of its own.
if [ -n "$entry" ]; then
    entry_value() { sed -n "s/^$1=//p" "$entry"; }
    [ "$(entry_value Exec)" = "$(basename "$program")" ] ||
        fail "the entry starts '$(entry_value Exec)', not $(basename "$program")"
    class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
    [ "$class" = "$(entry_value StartupWMClass)" ] ||
        fail "the window's class is '$class', the entry's '$(entry_value StartupWMClass)'"
    [[ "$(xprop -id "$window" _NET_WM_ICON)" == "_NET_WM_ICON(CARDINAL) = "* ]] ||
        fail "the window has no icon"
fi

# 2. A second start is refused with a message and ends, writing nothing.
start_program second.log
second=$started
message=$(desktop_wait_window 'Ошибка' 30) || fail "the second start showed no message"
[ "$(xdotool getwindowpid "$message")" = "$second" ] || fail "the message is not the second start's"
desktop_screenshot "$artefacts/second-instance.png"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"
xdotool windowactivate --sync "$message" key Return
wait_for_exit "$second" || fail "the second start did not end after the message"
[ "$status" = 0 ] || fail "the second start ended with status $status"
[ "$(store_digest)" = "$before" ] || fail "the second start changed the store"
kill -0 "$first" 2>/dev/null || fail "the first instance ended with the second"

# 3. The close box ends the program, writing nothing.
xdotool windowactivate --sync "$window" key alt+F4
wait_for_exit "$first" || fail "closing the window did not end the program"
[ "$status" = 0 ] || fail "the program ended with status $status"
[ "$(store_digest)" = "$before" ] || fail "ending the program changed the store"

# 4. A first instance that was killed leaves no lock behind.
start_program killed.log
killed=$started
desktop_wait_window '^Tickwell v2\.0$' 30 >/dev/null || fail "the main window did not appear again"
kill -9 "$killed"
wait "$killed" 2>/dev/null || true
start_program after-kill.log
after=$started
window=$(desktop_wait_window '^Tickwell v2\.0$' 30) || fail "a start after a killed one showed no window"
if LC_ALL=C.UTF-8 xdotool search --onlyvisible --name 'Ошибка' >/dev/null 2>&1; then
    fail "a start after a killed one was refused"
fi
xdotool windowactivate --sync "$window" key alt+F4
wait_for_exit "$after" || fail "the program did not end"
[ "$status" = 0 ] || fail "the program ended with status $status"

echo "desktop test passed; screenshots in $artefacts"
