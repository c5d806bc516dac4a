"""Driving the real program through the accessibility bus, as a screen reader user would:
windows, buttons and fields are found by their role and their accessible name."""

import subprocess
import sys
import time

import pyatspi


def fail(message):
    print("FAILED: " + message, file=sys.stderr)
    sys.exit(1)


def application(name, seconds=20):
    """The running application called `name` on the accessibility bus."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    fail("no application %r on the accessibility bus" % name)


def _walk(node, depth=0):
    yield node
    if depth > 30:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from _walk(child, depth + 1)


def find(root, role, name=None, seconds=10, showing=True):
    """The first node under `root` with `role` (a pyatspi ROLE_ constant) and, if given, the
    accessible `name`; waits for it to appear."""
    deadline = time.monotonic() + seconds
    while True:
        for node in _walk(root):
            try:
                if node.getRole() != role or (name is not None and node.name != name):
                    continue
                if showing and not node.getState().contains(pyatspi.STATE_SHOWING):
                    continue
                return node
            except Exception:  # a node that went away while we looked
                continue
        if time.monotonic() >= deadline:
            fail("no %s named %r" % (pyatspi.Role(role), name))
        time.sleep(0.2)


def window(app, title, seconds=10):
    """A top-level window of `app` whose accessible name is `title`."""
    deadline = time.monotonic() + seconds
    while True:
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            try:
                if child is not None and child.name == title and \
                        child.getState().contains(pyatspi.STATE_SHOWING):
                    return child
            except Exception:
                continue
        if time.monotonic() >= deadline:
            fail("no window %r" % title)
        time.sleep(0.2)


def press(node):
    """Presses a button through its first action."""
    node.queryAction().doAction(0)


def set_text(node, text):
    """Replaces the whole text of an editable field. A multi-line field that does not take its
    text through the bridge is given it by typing, with the keyboard focus in it."""
    node.queryEditableText().setTextContents(text)
    if _text_of(node) == text:
        return
    node.queryComponent().grabFocus()
    subprocess.run(["xdotool", "key", "ctrl+a", "BackSpace"], check=True)
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)
    deadline = time.monotonic() + 5
    while _text_of(node) != text:
        if time.monotonic() >= deadline:
            fail("the field %r holds %r instead of %r" % (node.name, _text_of(node), text))
        time.sleep(0.1)


def _text_of(node):
    return node.queryText().getText(0, -1)
