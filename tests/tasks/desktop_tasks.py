"""Two tasks made through the task editor of the real program, the first one marked done, and
the task reminders started with a period of 2 seconds: the Tasks tab, "Добавить", the editor's
fields, "Создать", a click on the first task, "Выполнено", the seconds field and "Напоминать"."""

import subprocess
import sys
import time

import pyatspi

sys.path.insert(0, sys.argv[1])
from atspi_driver import application, fail, find, press, set_text, window  # noqa: E402

done_task, open_task, seconds, editor_shot = sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5]

app = application("Tickwell")
main = window(app, "Tickwell v2.0")
press(find(main, pyatspi.ROLE_PAGE_TAB, "Задачи"))
task_list = find(main, pyatspi.ROLE_LIST, "Задачи")


def add_task(name, description, daily, screenshot=None):
    press(find(main, pyatspi.ROLE_PUSH_BUTTON, "Добавить"))
    editor = window(app, "Создать задачу")
    set_text(find(editor, pyatspi.ROLE_TEXT, "Задача"), name)
    set_text(find(editor, pyatspi.ROLE_TEXT, "Описание"), description)
    daily_box = find(editor, pyatspi.ROLE_CHECK_BOX, "Ежедневная задача")
    if daily_box.getState().contains(pyatspi.STATE_CHECKED) != daily:
        press(daily_box)
    if screenshot:
        subprocess.run(["import", "-window", "root", screenshot], check=True)
    press(find(editor, pyatspi.ROLE_PUSH_BUTTON, "Создать"))
    # The editor closes and the task is at the end of the list.
    find(task_list, pyatspi.ROLE_LIST_ITEM, name)


# The first one is daily, so that marking it done asks nothing.
add_task(done_task, "каждое утро", True)
add_task(open_task, "до пятницы,\nс цифрами за квартал", False, editor_shot)

# A person clicks the task in the list: the mouse at the middle of its row.
first = find(task_list, pyatspi.ROLE_LIST_ITEM, done_task)
box = first.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                str(box.y + box.height // 2), "click", "1"], check=True)
done = find(main, pyatspi.ROLE_CHECK_BOX, "Выполнено")
for _ in range(50):
    if done.getState().contains(pyatspi.STATE_ENABLED):
        break
    time.sleep(0.1)
else:
    fail("selecting the task did not enable \"Выполнено\"")
press(done)

set_text(find(main, pyatspi.ROLE_TEXT, "Периодичность, сек."), seconds)
press(find(main, pyatspi.ROLE_PUSH_BUTTON, "Напоминать"))
find(main, pyatspi.ROLE_PUSH_BUTTON, "Остановить")
print("two tasks made, %r done, reminders started every %s s" % (done_task, seconds))
