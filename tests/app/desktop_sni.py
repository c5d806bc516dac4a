"""The program's icon as an item of the StatusNotifierItem protocol, used as a host (GNOME's,
KDE's) uses it: the item and its menu are read over D-Bus, menu items are clicked with the
menu protocol's "clicked" event, and the host's click (Activate) asks for the window.
    desktop_sni.py SUPPORT_DIR PROGRAM_PID MAIN_WINDOW_ID"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

sys.path.insert(0, sys.argv[1])
from atspi_driver import application, fail, find, press, set_text, window  # noqa: E402

pid, main_window = sys.argv[2], sys.argv[3]
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
ITEMS = ["Восстановить", "Напоминания", "Задачи", "Изображения", "Автозагрузка", "Выход"]
CHECK_ITEMS = ITEMS[1:5]


def call(service, path, interface, method, args=None, reply="()"):
    return bus.call_sync(service, path, interface, method, args, GLib.VariantType(reply),
                         Gio.DBusCallFlags.NONE, 5000, None).unpack()


def wait_for(what, condition, seconds=10):
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            fail(what)
        time.sleep(0.1)


def registered_item():
    """The bus name of the program's item, once the watcher lists it. An entry is a bus name,
    maybe followed by the item's object path; the program's is the one its process owns."""
    entries = call("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                   "org.freedesktop.DBus.Properties", "Get",
                   GLib.Variant("(ss)", ("org.kde.StatusNotifierWatcher",
                                         "RegisteredStatusNotifierItems")), "(v)")[0]
    for entry in entries:
        name = entry.split("/", 1)[0]
        owner = call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                     "GetConnectionUnixProcessID", GLib.Variant("(s)", (name,)), "(u)")[0]
        if str(owner) == pid:
            return name
    return None


service = wait_for("the watcher lists no item of the program", registered_item, 20)
props = call(service, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "GetAll",
             GLib.Variant("(s)", ("org.kde.StatusNotifierItem",)), "(a{sv})")[0]
if props["Title"] != "Tickwell":
    fail("the item's title is %r" % props["Title"])
if props["ToolTip"][2] != "Tickwell v2.0":
    fail("the item's hint is %r" % (props["ToolTip"],))
if not props["IconPixmap"] and not props["IconName"]:
    fail("the item has no icon")
menu_path = props["Menu"]
if menu_path == "/NO_DBUSMENU":
    fail("the item publishes no menu")


def menu():
    """The menu's items by label: (id, properties), separators left out."""
    layout = call(service, menu_path, "com.canonical.dbusmenu", "GetLayout",
                  GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")[1]
    items = {}
    for child in layout[2]:
        item_id, item_props = child[0], child[1]
        if item_props.get("type") != "separator" and item_props.get("visible", True):
            items[item_props.get("label", "")] = (item_id, item_props)
    return items


def checked(label):
    return menu()[label][1].get("toggle-state", 0) == 1


def enabled(label):
    return menu()[label][1].get("enabled", True)


def click(label):
    call(service, menu_path, "com.canonical.dbusmenu", "Event",
         GLib.Variant("(isvu)", (menu()[label][0], "clicked", GLib.Variant("i", 0), 0)))


def viewable():
    info = subprocess.run(["xwininfo", "-id", main_window], capture_output=True, text=True)
    return "IsViewable" in info.stdout


def minimise():
    subprocess.run(["xdotool", "windowminimize", main_window], check=True)
    wait_for("the minimised window did not go to the tray", lambda: not viewable())
    wait_for("'Восстановить' stays off with the window in the tray",
             lambda: enabled("Восстановить"))


items = menu()
if list(items) != ITEMS:
    fail("the menu over D-Bus is %r" % list(items))
checks = [label for label, (_, p) in items.items() if p.get("toggle-type") == "checkmark"]
if checks != CHECK_ITEMS:
    fail("the check items over D-Bus are %r" % checks)
if enabled("Восстановить"):
    fail("'Восстановить' is on while the window is shown")
print("item %s, menu %s: %s" % (service, menu_path, ", ".join(items)))


# A host that asks the item for its menu (ContextMenu) gets it at the pointer.
def windows_on_screen():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", pid],
                           capture_output=True, text=True).stdout.split()
    return [w for w in found if w != main_window]


call(service, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "ContextMenu",
     GLib.Variant("(ii)", (600, 300)))
wait_for("ContextMenu opened no menu", windows_on_screen)
subprocess.run(["xdotool", "key", "Escape"], check=True)
wait_for("the menu stays open after Escape", lambda: not windows_on_screen())

# A reminder made and started in the main window puts the mark of "Напоминания" on over the
# protocol too.
app = application("Tickwell")
main = window(app, "Tickwell v2.0")
press(find(main, pyatspi.ROLE_PUSH_BUTTON, "Добавить"))
editor = window(app, "Создать напоминание")
set_text(find(editor, pyatspi.ROLE_TEXT, "Название"), "Чай")
set_text(find(editor, pyatspi.ROLE_TEXT, "Текст напоминания"), "Завари чай")
set_text(find(editor, pyatspi.ROLE_TEXT, "Через какое время напомнить, сек."), "3600")
press(find(editor, pyatspi.ROLE_PUSH_BUTTON, "Создать"))
press(find(find(app, pyatspi.ROLE_ALERT, None), pyatspi.ROLE_PUSH_BUTTON, "Да"))
wait_for("the mark of 'Напоминания' is off over D-Bus after the start",
         lambda: checked("Напоминания"))

# "Изображения" with an empty list is refused as from the classic menu, and its mark stays off.
click("Изображения")
refusal = find(app, pyatspi.ROLE_ALERT, None)

def names(node, depth=0):
    yield node.name
    for i in range(node.childCount if depth < 5 else 0):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from names(child, depth + 1)


texts = list(names(refusal))
if not any(text.startswith("Для запуска показа изображений") for text in texts):
    fail("the refusal says %r" % texts)
press(find(refusal, pyatspi.ROLE_PUSH_BUTTON, None))
wait_for("the mark of 'Изображения' is on after the refusal", lambda: not checked("Изображения"))

# Hidden in the tray, the window comes back on the host's click and on "Восстановить".
minimise()
call(service, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate",
     GLib.Variant("(ii)", (0, 0)))
wait_for("the window did not come back on Activate", viewable)
wait_for("'Восстановить' stays on with the window shown", lambda: not enabled("Восстановить"))
minimise()
click("Восстановить")
wait_for("the window did not come back on 'Восстановить'", viewable)

click("Выход")
print("restored by Activate and by the menu; Выход clicked")
