#pragma once

class QPushButton;
class QWidget;

namespace tickwell {

// The keyboard of an editor window, as in a dialog: Escape closes it without saving, as its close
// box does; Enter in a one-line field or on the confirm button `confirm` presses that button, as
// a click does. Enter in a multi-line field still breaks the line.
void installEditorKeys(QWidget* editor, QPushButton* confirm);

} // namespace tickwell
