// The controls of the "Напоминания" tab.

#include "AutoSizeLabel.h"
#include "FormControls.h"
#include "ListBox.h"
#include "MainForm.h"
#include "MainFormTexts.h"

#include <QLabel>
#include <QPushButton>

namespace tickwell {

void TMainForm::buildRemindersTab() {
    namespace t = texts::mainForm;
    QWidget* page = TabSheet1;
    const Edges stretch = Edge::Left | Edge::Top | Edge::Right | Edge::Bottom;
    const Edges bottom = Edge::Left | Edge::Bottom;
    const Edges bottomRight = Edge::Right | Edge::Bottom;
    // The word-wrapped text under a list also follows the right edge: at the smallest width
    // its design width would reach past the tab.
    const Edges bottomWide = Edge::Left | Edge::Right | Edge::Bottom;

    ListBox1 = new ListBox(page);
    ListBox1->setAccessibleName(QString::fromUtf8(t::remindersTab));
    placeControl(ListBox1, "ListBox1", {8, 8, 319, 145}, stretch);

    Button1 = makeButton(page, "Button1", t::add, {8, 159, 75, 25}, bottom);
    Button2 = makeButton(page, "Button2", t::edit, {123, 159, 89, 25}, bottom);
    Button3 = makeButton(page, "Button3", t::remove, {252, 159, 75, 25}, bottomRight);

    Label1 = makeLabel(page, "Label1", t::reminderPeriod, {8, 191}, bottom);
    Label2 = makeLabel(page, "Label2", "", {176, 191}, bottom);
    Label21 = makeLabel(page, "Label21", t::reminderDay, {8, 208}, bottom);
    Label22 = makeLabel(page, "Label22", "", {82, 208}, bottom);
    Label3 = makeLabel(page, "Label3", t::reminderOnce, {8, 225}, bottom);
    Label4 = makeLabel(page, "Label4", "", {160, 224}, bottom);
    Label5 = makeLabel(page, "Label5", t::reminderText, {8, 247}, bottom);

    Label6 = new QLabel(page);
    Label6->setTextFormat(Qt::PlainText);
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label6->setAccessibleName(QString::fromUtf8(t::reminderText));
    placeControl(Label6, "Label6", {8, 263, 318, 41}, bottomWide);

    Button4 = makeButton(page, "Button4", t::start, {134, 311, 75, 25}, bottom);
    Button4->setEnabled(false);
}

} // namespace tickwell
