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
    const QString heading = QString::fromUtf8(t::taskPeriod).chopped(1) + QStringLiteral(", ");
    const auto field = [&](int number, QPoint at, int maximum, const char* unit) {
        return makeNumberField(page, number, number, at, 0, maximum, bottom,
                               heading + QString::fromUtf8(unit));
    };
    auto hours = field(4, {8, 279}, 24, t::hours);
    Edit4 = hours.edit;
    UpDown4 = hours.upDown;
    Label17 = makeLabel(page, "Label17", t::hours, {64, 287}, bottom);
    auto minutes = field(5, {88, 279}, 60, t::minutes);
    Edit5 = minutes.edit;
    UpDown5 = minutes.upDown;
    Label18 = makeLabel(page, "Label18", t::minutes, {144, 287}, bottom);
    auto seconds = field(6, {184, 279}, 60, t::seconds);
    Edit6 = seconds.edit;
    UpDown6 = seconds.upDown;
    Label19 = makeLabel(page, "Label19", t::seconds, {240, 287}, bottom);
    Label13->setBuddy(Edit4);

    Button11 = makeButton(page, "Button11", t::remind, {129, 312, 89, 24}, bottom);
}

} // namespace tickwell
