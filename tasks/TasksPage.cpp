// The Tasks tab's controls at their design places and the wiring of each to its handler.

#include "tasks/TasksPage.h"

#include "platform/IntervalTimer.h"
#include "reminders/RemindersPage.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "tasks/AddTask.h"
#include "tasks/TaskTexts.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ErrorGuard.h"
#include "widgets/FormControls.h"
#include "widgets/ListBox.h"
#include "widgets/PeriodFields.h"
#include "widgets/StoredNameList.h"
#include "widgets/TrayMark.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tickwell {

TasksPage::TasksPage(IntervalTimer& tasksTimer, RemindersPage& reminders)
    : TabPage("TabSheet2", texts::tasks::tab), TasksTimer(tasksTimer), reminders_(reminders) {
    buildControls();
    AddTask = new TAddTask(*this);
    connectHandlers();
    // An edited reminder may have a new day: the next check looks at every dated one again.
    connect(&reminders_, &RemindersPage::remindersEdited, this, [this] { LastCheckDate = 0; });
}

TasksPage::~TasksPage() {
    delete AddTask;
}

void TasksPage::buildControls() {
    namespace t = texts::tasks;
    const Edges stretch = Edge::Left | Edge::Top | Edge::Right | Edge::Bottom;
    const Edges bottom = Edge::Left | Edge::Bottom;
    const Edges bottomRight = Edge::Right | Edge::Bottom;
    // The word-wrapped text under a list also follows the right edge: at the smallest width
    // its design width would reach past the tab.
    const Edges bottomWide = Edge::Left | Edge::Right | Edge::Bottom;

    ListBox2 = new ListBox(this);
    ListBox2->setAccessibleName(QString::fromUtf8(t::tab));
    placeControl(ListBox2, "ListBox2", {8, 8, 319, 128}, stretch);

    Button5 = makeButton(this, "Button5", texts::add, {8, 143, 75, 25}, bottom);
    Button6 = makeButton(this, "Button6", texts::edit, {123, 143, 89, 25}, bottom);
    Button7 = makeButton(this, "Button7", texts::remove, {252, 143, 75, 25}, bottomRight);

    CheckBox1 = new QCheckBox(QString::fromUtf8(t::done), this);
    CheckBox1->setEnabled(false);
    placeControl(CheckBox1, "CheckBox1", {8, 175, 81, 17}, bottom);

    Label11 = makeLabel(this, "Label11", t::descriptionCaption, {8, 199}, bottom);
    Label12 = makeDetailText(this, "Label12", Label11, {8, 215, 318, 41}, bottomWide);

    Label13 = makeLabel(this, "Label13", t::periodCaption, {8, 263}, bottom);
    const PeriodFields period = makePeriodFields(this, Label13, 4, 17, 279, bottom);
    Edit4 = period.fields[0].edit;
    UpDown4 = period.fields[0].upDown;
    Label17 = period.units[0];
    Edit5 = period.fields[1].edit;
    UpDown5 = period.fields[1].upDown;
    Label18 = period.units[1];
    Edit6 = period.fields[2].edit;
    UpDown6 = period.fields[2].upDown;
    Label19 = period.units[2];

    Button11 = makeButton(this, "Button11", t::remind, {129, 312, 89, 24}, bottom);
}

void TasksPage::connectHandlers() {
    const auto onClick = [this](QPushButton* button, void (TasksPage::*handler)()) {
        connectGuarded(button, &QPushButton::clicked, this,
                       [this, handler] { (this->*handler)(); });
    };
    connectGuarded(ListBox2, &ListBox::click, this, [this] { ListBox2Click(); });
    connectGuarded(ListBox2, &ListBox::doubleClick, this, [this] { Button6Click(); });
    onClick(Button5, &TasksPage::Button5Click);
    onClick(Button6, &TasksPage::Button6Click);
    onClick(Button7, &TasksPage::Button7Click);
    // Only the user's own changes of the done mark reach the handler (a click, the space bar or
    // a screen reader's action): the program sets the box through showDone().
    connectGuarded(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    onClick(Button11, &TasksPage::Button11Click);
    connectGuarded(&TasksTimer, &IntervalTimer::timeout, this, [this] { TasksTimerTimer(); });
}

void TasksPage::setTrayItem(QAction* item) {
    N3 = item;
    connectGuarded(N3, &QAction::triggered, this, [this] { Button11Click(); });
}

// The tray item has already changed its mark when its click arrives here; whatever ends the
// switch, the mark ends up showing whether the reminders run.
void TasksPage::Button11Click() {
    switchKeepingTrayMark(*N3, TasksTimer, [this] { switchTaskReminders(); });
}

void TasksPage::loadTasks(SettingsStore& store) {
    loadNameList(*ListBox2, store, layout::tasks::tasksList);
    showPeriod(store.readInteger(layout::tasks::tasksInterval), *UpDown4, *UpDown5, *UpDown6);
}

// The edit and remind buttons stay centred on the window's width.
void TasksPage::FormResize(int windowWidth) {
    const int w = windowWidth;
    Button6->move(w / 2 - Button6->width() / 2 - 8, Button6->y());
    Button11->move(w / 2 - Button11->width() / 2, Button11->y());
}

void TasksPage::refreshDetails() {
    ListBox2Click();
}

} // namespace tickwell
