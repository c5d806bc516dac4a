#pragma once

// Making the controls of the main window's tabs and of the editor windows as the design
// describes them: each with its name (also its objectName), its geometry within its tab or
// window, and the edges of the tab or window it keeps its distance to.

#include "platform/EdgeAnchors.h"

#include <QPoint>
#include <QRect>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

namespace tickwell {

class AutoSizeLabel;
class UpDown;

// Names `control`, puts it at its design geometry within its parent (a tab page, an editor window
// or a frame in it, which has its design size while the controls are made) and anchors it to
// `edges`.
void placeControl(QWidget* control, const char* name, const QRect& design, Edges edges);

QPushButton* makeButton(QWidget* page, const char* name, const char* caption, const QRect& design,
                        Edges edges);

// A label that takes the size of its text, at its design position.
AutoSizeLabel* makeLabel(QWidget* page, const char* name, const char* text, QPoint design,
                         Edges edges);

// A numeric field: the edit field (33 x 21) at `design` with its spin buttons (16 x 21) right
// beside it, the range given, showing "0". Both are named "Edit<editNumber>" and
// "UpDown<upDownNumber>"; `accessibleName` names both for screen readers.
struct NumberField {
    QLineEdit* edit;
    UpDown* upDown;
};
NumberField makeNumberField(QWidget* page, int editNumber, int upDownNumber, QPoint design,
                            int minimum, int maximum, Edges edges, const QString& accessibleName);

// A period row: hours (0-24), minutes (0-60) and seconds (0-60) fields at x 8, 88 and 184 on
// row `top`, each followed by its unit label ("ч.", "мин.", "сек.") 8 pixels lower. The fields
// are Edit/UpDown `firstField` to `firstField` + 2, the unit labels Label `firstUnitLabel` to
// `firstUnitLabel` + 2; each field is named for screen readers after `heading` and its unit, and
// `heading` is the buddy of the hours field.
struct PeriodFields {
    NumberField fields[3];
    AutoSizeLabel* units[3];
};
PeriodFields makePeriodFields(QWidget* page, AutoSizeLabel* heading, int firstField,
                              int firstUnitLabel, int top, Edges edges);

// The word-wrapped text of the selected item under its caption label `caption`, at its design
// geometry: a screen reader reads the text itself as its name, with the caption as its label.
QLabel* makeDetailText(QWidget* page, const char* name, QLabel* caption, const QRect& design,
                       Edges edges);

// A check box as wide as its caption, at its design position within its parent (placeControl).
QCheckBox* makeWindowCheckBox(QWidget* parent, const char* name, const char* caption, QPoint design,
                              Edges edges);

// The name a screen reader gives a field: its label's caption without the closing colon.
QString spokenName(const QString& caption);

// Sets up a modeless editor window: named `objectName`, a dialog to a screen reader, a title bar
// without a maximise button, the form font, its design size (`designOuterSize` with the title
// bar the design counts in it) and no smaller than `smallestWidth` x that height, centred on the
// desktop.
void setUpEditorWindow(QWidget* editor, const char* objectName, QSize designOuterSize,
                       int smallestWidth);

// Shows a modeless editor window, or brings it back to the front when it is already open or
// minimised (the window manager raises the window it activates).
void showEditorWindow(QWidget* editor);

} // namespace tickwell
