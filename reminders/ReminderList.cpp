// The Reminders tab of the main window: the details of the selected reminder, and adding,
// editing and deleting reminders. Every handler reads what it needs from the store afresh.

#include "platform/IntervalTimer.h"
#include "reminders/AddNotice.h"
#include "reminders/ReminderRecord.h"
#include "reminders/ReminderTexts.h"
#include "reminders/RemindersPage.h"
#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/FormControls.h"
#include "widgets/ListBox.h"
#include "widgets/ListIndexError.h"
#include "widgets/StoredNameList.h"

#include <QLabel>
#include <QPushButton>

namespace tickwell {

namespace {

namespace t = texts::reminders;

} // namespace

void RemindersPage::loadReminders(SettingsStore& store) {
    loadNameList(*ListBox1, store, layout::notifications::notificationsList);
}

void RemindersPage::ListBox1Click() {
    const int index = ListBox1->itemIndex();
    if (index < 0) {
        return;
    }
    SettingsStore store;
    reminders::openReminderAt(store, index);

    Label2->setText(reminders::periodText(store.readInteger(layout::notice::interval)));
    Label6->setText(reminders::shownText(store.readString(layout::notice::text)));
    const bool dated = store.readBool(layout::notice::dateEnabled);
    const double day = dated ? store.readDate(layout::notice::date) : 0;
    Label22->setText(dated ? reminders::dayText(day) : QString::fromUtf8(t::noDate));
    Label4->setText(QString::fromUtf8(store.readBool(layout::notice::once) ? t::yes : t::no));
    const bool running =
        store.readBool(layout::notice::enabled) && !(dated && !reminders::isToday(day));
    Button4->setText(QString::fromUtf8(running ? texts::stop : texts::start));
    Button4->setEnabled(true);
}

void RemindersPage::Button3Click() {
    const int index = ListBox1->itemIndex();
    if (index < 0) {
        return;
    }
    SettingsStore store;
    reminders::openRemindersKey(store);
    std::vector<std::string> keys = reminders::readKeyList(store);
    const std::string subkey = reminders::keyAt(keys, index);

    delete findReminderTimer(subkey);
    store.deleteKey(reminders::reminderKeyPath(subkey));
    keys.erase(keys.begin() + index);
    store.writeString(layout::notifications::noticesList, NameList::join(keys));
    delete ListBox1->takeItem(index);
    // The list would move the selection to the next reminder, whose details are not shown:
    // the next start, edit or delete must not act on it unseen.
    ListBox1->setItemIndex(-1);
    storeNameList(store, layout::notifications::notificationsList, ListBox1->items());

    Button4->setText(QString::fromUtf8(texts::start));
    Button4->setEnabled(false);
    Label2->clear();
    Label4->clear();
    Label6->clear();
    Label22->clear();
}

void RemindersPage::Button1Click() {
    AddNotice->openToCreate();
}

void RemindersPage::Button2Click() {
    const int index = ListBox1->itemIndex();
    if (index < 0) {
        return;
    }
    SettingsStore store;
    reminders::openRemindersKey(store);
    AddNotice->openToEdit(reminders::subkeyAt(store, index));
}

} // namespace tickwell
