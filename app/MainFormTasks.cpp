// The controls of the "Задачи" tab.

#include "AutoSizeLabel.h"
#include "FormControls.h"
#include "ListBox.h"
#include "MainForm.h"
#include "MainFormTexts.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tickwell {

void TMainForm::buildTasksTab() {
    namespace t = texts::mainForm;
    QWidget* page = TabSheet2;
    const Edges stretch = Edge::Left | Edge::Top | Edge::Right | Edge::Bottom;
    const Edges bottom = Edge::Left | Edge::Bottom;
    const Edges bottomRight = Edge::Right | Edge::Bottom;
    // The word-wrapped text under a list also follows the right edge: at the smallest width
    // its design width would reach past the tab.
    const Edges bottomWide = Edge::Left | Edge::Right | Edge::Bottom;

    ListBox2 = new ListBox(page);
    ListBox2->setAccessibleName(QString::fromUtf8(t::tasksTab));
    placeControl(ListBox2, "ListBox2", {8, 8, 319, 128}, stretch);

    Button5 = makeButton(page, "Button5", t::add, {8, 143, 75, 25}, bottom);
    Button6 = makeButton(page, "Button6", t::edit, {123, 143, 89, 25}, bottom);
    Button7 = makeButton(page, "Button7", t::remove, {252, 143, 75, 25}, bottomRight);

    CheckBox1 = new QCheckBox(QString::fromUtf8(t::done), page);
    CheckBox1->setEnabled(false);
    placeControl(CheckBox1, "CheckBox1", {8, 175, 81, 17}, bottom);

    Label11 = makeLabel(page, "Label11", t::taskDescription, {8, 199}, bottom);
    Label12 = new QLabel(page);
    Label12->setTextFormat(Qt::PlainText);
    Label12->setWordWrap(true);
    Label12->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label12->setAccessibleName(QString::fromUtf8(t::taskDescription));
    placeControl(Label12, "Label12", {8, 215, 318, 41}, bottomWide);

    Label13 = makeLabel(page, "Label13", t::taskPeriod, {8, 263}, bottom);
    const PeriodFields period = makePeriodFields(page, Label13, 4, 17, 279, bottom);
    Edit4 = period.fields[0].edit;
    UpDown4 = period.fields[0].upDown;
    Label17 = period.units[0];
    Edit5 = period.fields[1].edit;
    UpDown5 = period.fields[1].upDown;
    Label18 = period.units[1];
    Edit6 = period.fields[2].edit;
    UpDown6 = period.fields[2].upDown;
    Label19 = period.units[2];

    Button11 = makeButton(page, "Button11", t::remind, {129, 312, 89, 24}, bottom);
}

} // namespace tickwell
