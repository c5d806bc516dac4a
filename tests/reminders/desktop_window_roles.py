"""The program's top-level windows as a screen reader meets them: the main window a frame, the
reminder editor a dialog (though it does not block the other windows) and the notice window a
notification that carries its message; none of them a blank grouping."""

import sys
import time

import pyatspi

sys.path.insert(0, sys.argv[1])
from atspi_driver import application, fail  # noqa: E402

message = sys.argv[2]
expected = {
    "Tickwell v2.0": "frame",
    "Создать напоминание": "dialog",
    "Напоминание": "notification",
}

app = application("Tickwell")
deadline = time.monotonic() + 10
while True:
    seen = {}
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        try:
            seen[child.name] = (child.getRoleName(), child.description)
        except Exception:  # a notice that closed while we looked
            continue
    if all(name in seen for name in expected) or time.monotonic() >= deadline:
        break
    time.sleep(0.1)

for name, role in expected.items():
    if name not in seen:
        fail("no top-level window %r among %r" % (name, seen))
    if seen[name][0] != role:
        fail("the window %r reports the role %r, not %r" % (name, seen[name][0], role))
if seen["Напоминание"][1] != message:
    fail("the notice describes itself as %r, not as its message %r" % (seen["Напоминание"][1], message))
print("window roles: " + ", ".join("%s %s" % (seen[n][0], n) for n in expected))
