#include "reminders/AddNotice.h"

#include "platform/Clock.h"
#include "reminders/ReminderRecord.h"
#include "reminders/ReminderTexts.h"
#include "reminders/RemindersPage.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/EditorKeys.h"
#include "widgets/ErrorGuard.h"
#include "widgets/FormControls.h"
#include "widgets/FormDesign.h"
#include "widgets/PeriodFields.h"
#include "widgets/UpDown.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

namespace tickwell {

namespace {

// The design gives the window's size with its title bar, which the window manager draws outside
// the window here: the window is as wide as designed and lower by the design's title bar. That
// size is also the smallest, and the controls' design positions lie within it.
constexpr QSize designOuterSize{477, 325};

} // namespace

TAddNotice::TAddNotice(RemindersPage& page) : QWidget(nullptr), page_(page) {
    setUpWindow();
    buildControls();
    connectHandlers();
    FormResize();
}

TAddNotice::~TAddNotice() = default;

void TAddNotice::setUpWindow() {
    setUpEditorWindow(this, "AddNotice", designOuterSize, designOuterSize.width());
}

void TAddNotice::connectHandlers() {
    connectGuarded(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    installEditorKeys(this, Button1);
}

// Only when the window becomes visible: a window coming back from its minimised state is
// already visible and keeps its fields.
void TAddNotice::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        guarded(this, [this] { FormShow(); });
    }
}

void TAddNotice::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TAddNotice::openToCreate() {
    setWindowTitle(QString::fromUtf8(texts::reminders::createCaption));
    Button1->setText(QString::fromUtf8(texts::create));
    showEditorWindow(this);
}

void TAddNotice::openToEdit(const std::string& subkey) {
    // Fields that hold another reminder's values, or a draft, must not be saved over this one.
    const bool refill = isVisible() && !(editing() && subkey == editedKey_);
    editedKey_ = subkey;
    setWindowTitle(QString::fromUtf8(texts::reminders::editCaption));
    Button1->setText(QString::fromUtf8(texts::change));
    if (refill) {
        FormShow();
    }
    showEditorWindow(this);
}

void TAddNotice::FormShow() {
    if (!editing()) {
        Edit2->clear();
        Memo1->clear();
        CheckBox1->setChecked(false);
        CheckBox2->setChecked(false);
        UpDown1->setPosition(0);
        UpDown2->setPosition(0);
        UpDown3->setPosition(0);
        MonthCalendar1->setSelectedDate(currentClock().currentDate());
        return;
    }
    SettingsStore store;
    reminders::openRemindersKey(store);
    reminders::openReminderKey(store, editedKey_);
    Edit2->setText(QString::fromStdString(store.readString(layout::notice::name)));
    Memo1->setPlainText(reminders::shownText(store.readString(layout::notice::text)));
    CheckBox1->setChecked(store.readBool(layout::notice::once));
    if (store.readBool(layout::notice::dateEnabled)) {
        CheckBox2->setChecked(true);
        MonthCalendar1->setSelectedDate(dateFromDayCount(store.readDate(layout::notice::date)));
    } else {
        // The calendar keeps the day it showed.
        CheckBox2->setChecked(false);
    }
    showPeriod(store.readInteger(layout::notice::interval), *UpDown1, *UpDown2, *UpDown3);
}

void TAddNotice::CheckBox2Click() {
    const bool dated = CheckBox2->isChecked();
    MonthCalendar1->setEnabled(dated);
    Label7->setEnabled(dated);
}

// The confirm button stays centred on the window's width.
void TAddNotice::FormResize() {
    Button1->move(design::centredLeft(width(), Button1->width()), Button1->y());
}

} // namespace tickwell
