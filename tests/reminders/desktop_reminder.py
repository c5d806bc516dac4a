"""A reminder made through the editor of the real program and started: the main window's
"Добавить", the editor's fields, "Создать", and Yes to "Запустить это напоминание?"."""

import sys

import pyatspi

sys.path.insert(0, sys.argv[1])
from atspi_driver import application, fail, find, press, set_text, window  # noqa: E402

name, text, seconds = sys.argv[2], sys.argv[3], sys.argv[4]

app = application("Tickwell")
main = window(app, "Tickwell v2.0")
press(find(main, pyatspi.ROLE_PUSH_BUTTON, "Добавить"))

editor = window(app, "Создать напоминание")
set_text(find(editor, pyatspi.ROLE_TEXT, "Название"), name)
set_text(find(editor, pyatspi.ROLE_TEXT, "Текст напоминания"), text)
set_text(find(editor, pyatspi.ROLE_TEXT, "Через какое время напомнить, сек."), seconds)
press(find(editor, pyatspi.ROLE_PUSH_BUTTON, "Создать"))

# "Запустить это напоминание?": its texts are checked by the form tests; here it is answered.
question = find(app, pyatspi.ROLE_ALERT, None)
press(find(question, pyatspi.ROLE_PUSH_BUTTON, "Да"))
print("created and started")
