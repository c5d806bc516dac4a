// The task editor's window and controls, filling them when it opens, and the confirm button kept
// centred.

#include "tasks/AddTask.h"

#include "reminders/ReminderRecord.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "tasks/TaskRecord.h"
#include "tasks/TaskTexts.h"
#include "tasks/TasksPage.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/EditorKeys.h"
#include "widgets/ErrorGuard.h"
#include "widgets/FormControls.h"
#include "widgets/FormDesign.h"
#include "widgets/LimitedMemo.h"
#include "widgets/NameEdit.h"

#include <QCheckBox>
#include <QPushButton>
#include <QShowEvent>

namespace tickwell {

namespace {

namespace t = texts::tasks;

// The design's outer size; the title bar it counts is drawn outside the window here. The window
// may shrink to 250 wide, but not below the design's height.
constexpr QSize designOuterSize{291, 200};
constexpr int smallestWidth = 250;

constexpr int nameLength = 100;
constexpr int descriptionLength = 170;

} // namespace

TAddTask::TAddTask(TasksPage& page) : QWidget(nullptr), page_(page) {
    setUpWindow();
    buildControls();
    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    installEditorKeys(this, Button1);
    FormResize();
}

TAddTask::~TAddTask() = default;

void TAddTask::setUpWindow() {
    setUpEditorWindow(this, "AddTask", designOuterSize, smallestWidth);
    setWindowTitle(QString::fromUtf8(t::createCaption));
}

// The name and the description stretch with the window; the daily box and the confirm button
// stay at its bottom edge. Each field carries its label's name for screen readers.
void TAddTask::buildControls() {
    const Edges topLeft = Edge::Left | Edge::Top;
    const Edges bottomLeft = Edge::Left | Edge::Bottom;

    Label1 = makeLabel(this, "Label1", t::nameLabel, {8, 8}, topLeft);
    Edit1 = new NameEdit(this);
    Edit1->setMaxLength(nameLength);
    Edit1->setAccessibleName(spokenName(Label1->text()));
    placeControl(Edit1, "Edit1", {8, 24, 275, 21}, topLeft | Edge::Right);
    Label1->setBuddy(Edit1);

    Label2 = makeLabel(this, "Label2", t::descriptionCaption, {8, 51}, topLeft);
    auto* memo = new LimitedMemo(this);
    memo->setMaxLength(descriptionLength);
    Memo1 = memo;
    Memo1->setAccessibleName(spokenName(Label2->text()));
    placeControl(Memo1, "Memo1", {8, 67, 275, 51}, topLeft | Edge::Right | Edge::Bottom);
    Label2->setBuddy(Memo1);

    CheckBox1 = makeWindowCheckBox(this, "CheckBox1", t::daily, {8, 124}, bottomLeft);
    Button1 = new QPushButton(QString::fromUtf8(texts::create), this);
    Button1->setAutoDefault(false);
    // Its left edge follows the window's width through FormResize.
    placeControl(Button1, "Button1", {108, 145, 75, 25}, bottomLeft);
}

// Only when the window becomes visible: a window coming back from its minimised state is
// already visible and keeps its fields, and so does one opened again while it is open.
void TAddTask::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        guarded(this, [this] { FormShow(); });
    }
}

void TAddTask::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TAddTask::openToCreate() {
    setWindowTitle(QString::fromUtf8(t::createCaption));
    Button1->setText(QString::fromUtf8(texts::create));
    showEditorWindow(this);
}

void TAddTask::openToEdit(const std::string& subkey) {
    // Fields that hold another task's values, or a draft, must not be saved over this one.
    const bool refill = isVisible() && !(editing() && subkey == editedKey_);
    editedKey_ = subkey;
    setWindowTitle(QString::fromUtf8(t::editCaption));
    Button1->setText(QString::fromUtf8(texts::change));
    if (refill) {
        FormShow();
    }
    showEditorWindow(this);
}

void TAddTask::FormShow() {
    if (!editing()) {
        Edit1->clear();
        Memo1->clear();
        CheckBox1->setChecked(false);
        return;
    }
    SettingsStore store;
    tasks::openTasksKey(store);
    tasks::openTaskKey(store, editedKey_);
    Edit1->setText(QString::fromStdString(store.readString(layout::task::name)));
    Memo1->setPlainText(reminders::shownText(store.readString(layout::task::text)));
    CheckBox1->setChecked(store.readBool(layout::task::daily));
}

// The confirm button stays centred on the window's width.
void TAddTask::FormResize() {
    Button1->move(design::centredLeft(width(), Button1->width()), Button1->y());
}

} // namespace tickwell
