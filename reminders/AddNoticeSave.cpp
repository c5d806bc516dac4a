// Saving in the reminder editor: the checks of the input, then the record and both lists in
// the store, the reminder's timer, and for a new reminder the offer to start it.

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/IntervalTimer.h"
#include "reminders/AddNotice.h"
#include "reminders/ReminderRecord.h"
#include "reminders/ReminderTexts.h"
#include "reminders/RemindersPage.h"
#include "settings/ItemNumber.h"
#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "settings/StoreError.h"
#include "widgets/AppTexts.h"
#include "widgets/ListBox.h"
#include "widgets/ListIndexError.h"
#include "widgets/PeriodFields.h"
#include "widgets/StoredNameList.h"
#include "widgets/UpDown.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdint>

namespace tickwell {

namespace {

namespace t = texts::reminders;

} // namespace

bool TAddNotice::editing() const {
    return Button1->text() == QString::fromUtf8(texts::change);
}

void TAddNotice::Button1Click() {
    if (refusesInput()) {
        return;
    }
    const int period = periodSeconds(*UpDown1, *UpDown2, *UpDown3);
    const bool edit = editing();
    SettingsStore store;
    reminders::openRemindersKey(store);
    const int row = edit ? editedRow(store) : -1;
    if (edit && row < 0) {
        dialogs().inform(this, QString::fromUtf8(t::editedDeleted),
                         QString::fromUtf8(texts::errorCaption), MessageIcon::Warning);
        return;
    }

    const std::string subkey = edit ? openEditedRecord(store, row) : createRecord(store);
    writeRecord(store, period);
    if (edit) {
        finishEditing(subkey, period);
    } else {
        finishCreating(subkey, period);
    }
    page_.ListBox1Click();
    hide();
}

int TAddNotice::editedRow(SettingsStore& store) const {
    return listedRow(reminders::readKeyList(store), editedKey_);
}

// Shows why the input cannot be saved, if it cannot.
bool TAddNotice::refusesInput() {
    const int hours = UpDown1->position();
    const int minutes = UpDown2->position();
    const int seconds = UpDown3->position();
    const char* refusal = nullptr;
    if (Edit2->text().isEmpty() || Memo1->toPlainText().isEmpty() ||
        (hours == 0 && minutes == 0 && seconds == 0)) {
        refusal = t::incomplete;
    } else if (periodSeconds(*UpDown1, *UpDown2, *UpDown3) > longestPeriodSeconds) {
        refusal = t::tooLong;
    }
    if (refusal != nullptr) {
        dialogs().inform(this, QString::fromUtf8(refusal), QString::fromUtf8(texts::errorCaption),
                         MessageIcon::Warning);
    }
    return refusal != nullptr;
}

// A new reminder: the next free number from the counter, its name at the end of the display
// list, its subkey at the end of the key list; the subkey is created and left open, switched off.
std::string TAddNotice::createRecord(SettingsStore& store) {
    namespace n = layout::notifications;
    const std::int32_t number = layout::nextFreeNumber(
        store, store.readInteger(n::notificationsCounter), layout::noticeKeyName);
    store.writeInteger(n::notificationsCounter, number);

    page_.ListBox1->addItem(Edit2->text());
    storeNameList(store, n::notificationsList, page_.ListBox1->items());

    std::vector<std::string> keys = reminders::readKeyList(store);
    const std::string subkey = layout::noticeKeyName(number);
    keys.push_back(subkey);
    store.writeString(n::noticesList, NameList::join(keys));

    if (!store.openKey(subkey, true)) {
        // The values must not land in the reminders key itself.
        throw StoreError::failedToOpen(reminders::reminderKeyPath(subkey));
    }
    store.writeBool(layout::notice::enabled, false);
    return subkey;
}

// The reminder the editor was opened for: its new name in its row of the list, and its subkey
// open.
std::string TAddNotice::openEditedRecord(SettingsStore& store, int row) {
    checkListIndex(row, page_.ListBox1->count());
    page_.ListBox1->item(row)->setText(Edit2->text());
    storeNameList(store, layout::notifications::notificationsList, page_.ListBox1->items());
    reminders::openReminderKey(store, editedKey_);
    return editedKey_;
}

void TAddNotice::writeRecord(SettingsStore& store, int period) {
    namespace v = layout::notice;
    store.writeString(v::name, Edit2->text().toStdString());
    store.writeString(v::text, reminders::storedText(Memo1->toPlainText()));
    store.writeBool(v::once, CheckBox1->isChecked());
    store.writeInteger(v::interval, period);
    if (CheckBox2->isChecked()) {
        store.writeBool(v::dateEnabled, true);
        store.writeDate(v::date, dayCountFromDate(MonthCalendar1->selectedDate()));
    } else {
        // The day stays stored for the next time the date is taken into account.
        store.writeBool(v::dateEnabled, false);
    }
}

// The new reminder gets its timer at once, switched off, also when it is dated for another day,
// so that the day-change check can switch it on when its day comes. Then it is selected and the
// user may start it at once.
void TAddNotice::finishCreating(const std::string& subkey, int period) {
    page_.createReminderTimer(subkey, period * 1000, false);
    ListBox& list = *page_.ListBox1;
    list.setItemIndex(list.count() - 1);
    if (dialogs().ask(this, QString::fromUtf8(t::startNew),
                      QString::fromUtf8(texts::applicationTitle), MessageIcon::Question)) {
        // As a click on "Запустить", which may still be disabled before the first selection.
        page_.Button4Click();
    }
}

// The timer keeps running or not; a new interval counts afresh from now. The day-change check
// looks at every dated reminder again at its next tick, since the day may have changed.
void TAddNotice::finishEditing(const std::string& subkey, int period) {
    if (IntervalTimer* timer = page_.findReminderTimer(subkey)) {
        timer->setInterval(period * 1000);
    }
    emit page_.remindersEdited();
}

} // namespace tickwell
