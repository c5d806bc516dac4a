#!/usr/bin/env bash
# Task reminders from end to end in the real program on a private virtual desktop: two tasks
# made through the editor, the first marked done, the reminders started every 2 seconds; the
# notice window titled "Напоминание" then carries the unfinished task's name at the bottom right.
# What the store holds is read back with the settings tool. Screenshots are kept in the
# artefacts folder.
#   desktop_tasks_test.sh TICKWELL_EXECUTABLE ARTEFACTS_DIR TICKWELL_REG_EXECUTABLE
set -euo pipefail

program=$1
artefacts=$2
reg_tool=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/desktop_program.sh
source "$here/../support/desktop_program.sh"

# The accessibility bus of this desktop's session, through which the test uses the program.
start_helper at-spi.log /usr/libexec/at-spi-bus-launcher --launch-immediately

start_program tickwell.log QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
started_pid=$started
desktop_wait_window '^Tickwell v2\.0$' 30 >/dev/null || fail "the main window did not appear"

/usr/bin/python3 "$here/desktop_tasks.py" "$here/../support" "Зарядка" "Отправить отчёт" 2 \
    "$artefacts/task-editor.png" \
    >"$work/driver.log" 2>&1 || {
    cat "$work/driver.log" >&2
    fail "making the tasks and starting their reminders failed"
}
cat "$work/driver.log"
desktop_screenshot "$artefacts/tasks-tab.png"

# The store as the settings tool reads it: the first task done, the reminders running.
value_of() { # KEY VALUE
    "$reg_tool" query "HKLM\\SOFTWARE\\Tickwell2\\Tasks$1" /v "$2" | awk -v v="$2" '$1 == v {print $3}'
}
[ "$(value_of '\task1' complete)" = 0x1 ] || fail "the first task is not stored as done"
[ "$(value_of '\task2' complete)" = 0x0 ] || fail "the second task is stored as done"
[ "$(value_of '' tasksEnabled)" = 0x1 ] || fail "the task reminders are not stored as running"

# Every notice names the unfinished task: a screen reader reads its message as its description.
wait_for_notice
/usr/bin/python3 - "$here/../support" "Отправить отчёт" >"$work/notice.log" 2>&1 <<'PY' || {
import sys
import time
sys.path.insert(0, sys.argv[1])
from atspi_driver import application, fail
app = application("Tickwell")
deadline = time.monotonic() + 10
while time.monotonic() < deadline:
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        try:
            if child.name == "Напоминание" and child.description == sys.argv[2]:
                print("the notice reads %r" % child.description)
                sys.exit(0)
        except Exception:  # a notice that closed while we looked
            continue
    time.sleep(0.1)
fail("no notice carries %r" % sys.argv[2])
PY
    cat "$work/notice.log" >&2
    fail "the notice does not show the unfinished task"
}
cat "$work/notice.log"
wait_for_notice
check_notice_place
sleep 0.3 # the fade-in takes about 0.2 s
desktop_screenshot "$artefacts/task-notice.png"

kill "$started_pid"
wait_for_exit "$started_pid" || fail "the program did not end"
echo "desktop tasks test passed; screenshots in $artefacts"
