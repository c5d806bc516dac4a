// The Reminders tab's controls at their design places and the wiring of each to its handler.

#include "reminders/RemindersPage.h"

#include "reminders/AddNotice.h"
#include "reminders/ReminderTexts.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ErrorGuard.h"
#include "widgets/FormControls.h"
#include "widgets/ListBox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace tickwell {

RemindersPage::RemindersPage(QObject& timerOwner)
    : TabPage("TabSheet1", texts::reminders::tab), timerOwner_(timerOwner) {
    buildControls();
    AddNotice = new TAddNotice(*this);
    connectHandlers();
}

RemindersPage::~RemindersPage() {
    delete AddNotice;
}

void RemindersPage::buildControls() {
    namespace t = texts::reminders;
    const Edges stretch = Edge::Left | Edge::Top | Edge::Right | Edge::Bottom;
    const Edges bottom = Edge::Left | Edge::Bottom;
    const Edges bottomRight = Edge::Right | Edge::Bottom;
    // The word-wrapped text under a list also follows the right edge: at the smallest width
    // its design width would reach past the tab.
    const Edges bottomWide = Edge::Left | Edge::Right | Edge::Bottom;

    ListBox1 = new ListBox(this);
    ListBox1->setAccessibleName(QString::fromUtf8(t::tab));
    placeControl(ListBox1, "ListBox1", {8, 8, 319, 145}, stretch);

    Button1 = makeButton(this, "Button1", texts::add, {8, 159, 75, 25}, bottom);
    Button2 = makeButton(this, "Button2", texts::edit, {123, 159, 89, 25}, bottom);
    Button3 = makeButton(this, "Button3", texts::remove, {252, 159, 75, 25}, bottomRight);

    Label1 = makeLabel(this, "Label1", t::periodCaption, {8, 191}, bottom);
    Label2 = makeLabel(this, "Label2", "", {176, 191}, bottom);
    Label21 = makeLabel(this, "Label21", t::dayCaption, {8, 208}, bottom);
    Label22 = makeLabel(this, "Label22", "", {82, 208}, bottom);
    Label3 = makeLabel(this, "Label3", t::onceCaption, {8, 225}, bottom);
    Label4 = makeLabel(this, "Label4", "", {160, 224}, bottom);
    Label5 = makeLabel(this, "Label5", t::textCaption, {8, 247}, bottom);

    Label6 = makeDetailText(this, "Label6", Label5, {8, 263, 318, 41}, bottomWide);

    Button4 = makeButton(this, "Button4", texts::start, {134, 311, 75, 25}, bottom);
    Button4->setEnabled(false);
}

void RemindersPage::connectHandlers() {
    const auto onClick = [this](QPushButton* button, void (RemindersPage::*handler)()) {
        connectGuarded(button, &QPushButton::clicked, this,
                       [this, handler] { (this->*handler)(); });
    };
    connectGuarded(ListBox1, &ListBox::click, this, [this] { ListBox1Click(); });
    connectGuarded(ListBox1, &ListBox::doubleClick, this, [this] { Button2Click(); });
    onClick(Button1, &RemindersPage::Button1Click);
    onClick(Button2, &RemindersPage::Button2Click);
    onClick(Button3, &RemindersPage::Button3Click);
    onClick(Button4, &RemindersPage::Button4Click);
}

void RemindersPage::setTrayItem(QAction* item) {
    N2 = item;
    // A checkable item has already changed its mark when `triggered` arrives.
    connectGuarded(N2, &QAction::triggered, this, [this] { N2Click(); });
}

// The edit and start buttons stay centred on the window's width.
void RemindersPage::FormResize(int windowWidth) {
    const int w = windowWidth;
    Button2->move(w / 2 - Button2->width() / 2 - 8, Button2->y());
    Button4->move(w / 2 - Button4->width() / 2, Button4->y());
}

void RemindersPage::refreshDetails() {
    ListBox1Click();
}

} // namespace tickwell
