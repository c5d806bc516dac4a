"""The Images tab of the real program used through the accessibility bus, as a person would:
   desktop_slideshow.py SUPPORT_DIR add FOLDER NAME... [-- OTHER...]   pictures added through
       the file dialog, which must offer every NAME and no OTHER file of the folder
   desktop_slideshow.py SUPPORT_DIR start SECONDS TIMEOUT   period and time set, slideshow started
   desktop_slideshow.py SUPPORT_DIR answer TEXT          the message box saying TEXT answered"""

import subprocess
import sys
import time

import pyatspi

sys.path.insert(0, sys.argv[1])
from atspi_driver import _walk, application, fail, find, press, set_text, window  # noqa: E402

app = application("Tickwell")
command, arguments = sys.argv[2], sys.argv[3:]


def images_tab():
    main = window(app, "Tickwell v2.0")
    press(find(main, pyatspi.ROLE_PAGE_TAB, "Изображения"))
    return main


def names_under(node, selected=False):
    names = set()
    for child in _walk(node):
        try:
            if not selected or child.getState().contains(pyatspi.STATE_SELECTED):
                names.add(child.name)
        except Exception:  # a node that went away while we looked
            continue
    return names


def wait_for(condition, what, seconds=10):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() >= deadline:
            fail(what)
        time.sleep(0.2)


def type_into(field, text):
    field.queryComponent().grabFocus()
    subprocess.run(["xdotool", "key", "ctrl+a", "BackSpace"], check=True)
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)
    wait_for(lambda: field.queryText().getText(0, -1) == text, "the field did not take %r" % text)


def file_dialog():
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and child.getRole() == pyatspi.ROLE_DIALOG:
                return child
        time.sleep(0.2)
    fail("the file dialog did not open")


if command == "add":
    folder, names = arguments[0], arguments[1:] + ["--"]
    wanted, others = names[:names.index("--")], names[names.index("--") + 1:-1]
    press(find(images_tab(), pyatspi.ROLE_PUSH_BUTTON, "Добавить"))
    dialog = file_dialog()
    name_field = find(dialog, pyatspi.ROLE_TEXT, "Имя файла:")
    open_button = find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Открыть")
    # Into the folder, where the dialog lists what its filter lets through.
    set_text(name_field, folder)
    press(open_button)
    wait_for(lambda: set(wanted) <= names_under(dialog),
             "the dialog does not offer every one of %r" % wanted)
    if set(others) & names_under(dialog):
        fail("the dialog offers %r" % sorted(set(others) & names_under(dialog)))
    # The names are typed: the dialog selects each file as its name comes, and takes what is
    # selected (text put into the field all at once selects only some of them).
    type_into(name_field, " ".join('"%s"' % name for name in wanted))
    wait_for(lambda: set(wanted) <= names_under(dialog, selected=True),
             "typing the names did not select every file")
    press(open_button)
    main = window(app, "Tickwell v2.0")
    wait_for(lambda: set(wanted) <= names_under(find(main, pyatspi.ROLE_LIST, "Изображения")),
             "the list does not show every picture added")
    print("added " + ", ".join(wanted))
elif command == "start":
    seconds, timeout = arguments
    main = images_tab()
    set_text(find(main, pyatspi.ROLE_TEXT, "Периодичность показа, сек."), seconds)
    set_text(find(main, pyatspi.ROLE_TEXT, "Через какое время изображение исчезает (сек.)"),
             timeout)
    press(find(main, pyatspi.ROLE_PUSH_BUTTON, "Запустить"))
    find(main, pyatspi.ROLE_PUSH_BUTTON, "Остановить")
    print("started: every %s s, each for %s s" % (seconds, timeout))
elif command == "answer":
    text = arguments[0]
    alert = find(app, pyatspi.ROLE_ALERT, None, seconds=20)
    if text not in names_under(alert):
        fail("the message box says %r, not %r" % (sorted(names_under(alert)), text))
    press(find(alert, pyatspi.ROLE_PUSH_BUTTON, None))
    print("answered: " + text)
else:
    fail("unknown command " + command)
