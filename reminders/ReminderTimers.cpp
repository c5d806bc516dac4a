// Reminder timers: one per reminder, owned by the main window and named after the reminder's
// subkey; starting and stopping one reminder or all of them; the tray item's check mark.

#include "platform/Dialogs.h"
#include "platform/IntervalTimer.h"
#include "reminders/NoticeForm.h"
#include "reminders/ReminderRecord.h"
#include "reminders/ReminderTexts.h"
#include "reminders/RemindersPage.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "widgets/AppTexts.h"
#include "widgets/ErrorGuard.h"
#include "widgets/ListBox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace tickwell {

namespace {

// Reminder periods are at most a day; a damaged stored period must not overflow the timer.
int timerIntervalMs(std::int32_t seconds) {
    constexpr std::int32_t longest = 24 * 3600 * 24; // stays well inside an int of milliseconds
    if (seconds <= 0) {
        return 0;
    }
    return static_cast<int>(std::min(seconds, longest)) * 1000;
}

} // namespace

IntervalTimer* RemindersPage::createReminderTimer(std::string_view subkey, int intervalMs,
                                                  bool enabled) {
    auto* timer =
        new IntervalTimer(&timerOwner_, reminders::timerNameFor(subkey), intervalMs, enabled);
    connectGuarded(timer, &IntervalTimer::timeout, this, [this, timer] {
        timerFailures_.run(this, [this, timer] { ReminderTimerTimer(timer); });
    });
    return timer;
}

IntervalTimer* RemindersPage::findReminderTimer(std::string_view subkey) const {
    const QString name = reminders::timerNameFor(subkey);
    for (QObject* child : timerOwner_.children()) {
        if (child->objectName() == name) {
            if (auto* timer = qobject_cast<IntervalTimer*>(child)) {
                return timer;
            }
        }
    }
    return nullptr;
}

void RemindersPage::CreateReminderTimers() {
    SettingsStore store;
    reminders::openRemindersKey(store);
    const std::vector<std::string> keys = reminders::readKeyList(store);
    for (int i = 0; i < ListBox1->count(); ++i) {
        const std::string& subkey = reminders::keyAt(keys, i);
        reminders::openReminderKey(store, subkey);
        IntervalTimer* timer = createReminderTimer(
            subkey, timerIntervalMs(store.readInteger(layout::notice::interval)), false);
        if (store.readBool(layout::notice::dateEnabled) &&
            !reminders::isToday(store.readDate(layout::notice::date))) {
            continue;
        }
        if (store.readBool(layout::notice::enabled)) {
            timer->setEnabled(true);
            N2->setChecked(true);
        }
    }
}

void RemindersPage::ReminderTimerTimer(IntervalTimer* sender) {
    SettingsStore store;
    try {
        reminders::openReminderKey(store, reminders::subkeyOfTimer(sender->objectName()));
    } catch (const StoreError&) {
        // Its reminder is gone: one report, not one at every period.
        sender->setEnabled(false);
        throw;
    }
    const QString text = reminders::shownText(store.readString(layout::notice::text));
    const int closeDelayMs =
        reminders::noticeCloseDelayMs(store.readInteger(layout::notice::interval));
    if (store.readBool(layout::notice::once)) {
        store.writeBool(layout::notice::enabled, false);
        sender->setEnabled(false);
    }
    showNotice(text, closeDelayMs);
}

void RemindersPage::showNotice(const QString& message, int closeDelayMs) {
    auto* notice = new TNoticeForm(&noticeColors);
    notice->Label1->setText(message);
    notice->Timer2->setInterval(closeDelayMs);
    notice->show();
}

void RemindersPage::Button4Click() {
    const int index = ListBox1->itemIndex();
    if (index < 0) {
        return;
    }
    SettingsStore store;
    const std::string subkey = reminders::openReminderAt(store, index);

    if (store.readBool(layout::notice::dateEnabled) &&
        !reminders::isToday(store.readDate(layout::notice::date))) {
        const bool onItsDay =
            dialogs().ask(window(), QString::fromUtf8(texts::reminders::startOnItsDay),
                          QString::fromUtf8(texts::errorCaption), MessageIcon::Question);
        store.writeBool(layout::notice::enabled, onItsDay);
        return;
    }
    IntervalTimer* timer = findReminderTimer(subkey);
    if (store.readBool(layout::notice::enabled)) {
        store.writeBool(layout::notice::enabled, false);
        Button4->setText(QString::fromUtf8(texts::start));
        if (timer != nullptr) {
            timer->setEnabled(false);
        }
    } else {
        store.writeBool(layout::notice::enabled, true);
        Button4->setText(QString::fromUtf8(texts::stop));
        if (timer != nullptr) {
            timer->setEnabled(true);
        }
    }
    UpdateRemindersMenuCheck();
}

void RemindersPage::N2Click() {
    if (N2->isChecked()) {
        StartAllReminders();
    } else {
        StopAllReminders();
    }
}

namespace {

// Every reminder timer among the components of `owner`, in the order it holds them.
std::vector<IntervalTimer*> reminderTimers(const QObject& owner) {
    std::vector<IntervalTimer*> timers;
    const QString prefix = QString::fromLatin1(layout::timerPrefix);
    for (QObject* child : owner.children()) {
        if (child->objectName().contains(prefix)) {
            if (auto* timer = qobject_cast<IntervalTimer*>(child)) {
                timers.push_back(timer);
            }
        }
    }
    return timers;
}

} // namespace

// Switches every reminder timer on or off with its stored switch, then shows the matching
// caption on the start/stop button, whichever reminder is selected. Dates are not consulted:
// the day-change check puts dated reminders right at its next pass.
void RemindersPage::switchAllReminders(bool on) {
    for (IntervalTimer* timer : reminderTimers(timerOwner_)) {
        timer->setEnabled(on);
        SettingsStore store;
        reminders::openReminderKey(store, reminders::subkeyOfTimer(timer->objectName()));
        store.writeBool(layout::notice::enabled, on);
    }
    Button4->setText(QString::fromUtf8(on ? texts::stop : texts::start));
}

void RemindersPage::StartAllReminders() {
    switchAllReminders(true);
}

void RemindersPage::StopAllReminders() {
    switchAllReminders(false);
}

void RemindersPage::UpdateRemindersMenuCheck() {
    SettingsStore store;
    reminders::openRemindersKey(store);
    for (const std::string& subkey : reminders::readKeyList(store)) {
        reminders::openReminderKey(store, subkey);
        if (store.readBool(layout::notice::enabled)) {
            N2->setChecked(true);
            return;
        }
    }
    N2->setChecked(false);
}

// Only the timers change: the stored switches, the start button's caption and the tray item's
// mark stay as they are. Of the key list only the first entry that names a timer counts. A
// once-only reminder that is switched off (it has fired, or the user stopped it) stays off: a
// later pass on its day must not show it a second time.
void RemindersPage::switchDatedReminderTimers() {
    SettingsStore store;
    reminders::openRemindersKey(store);
    const std::vector<std::string> keys = reminders::readKeyList(store);
    for (IntervalTimer* timer : reminderTimers(timerOwner_)) {
        const auto reminder =
            std::find_if(keys.begin(), keys.end(), [timer](const std::string& key) {
                return timer->objectName() == reminders::timerNameFor(key);
            });
        if (reminder == keys.end()) {
            continue;
        }
        reminders::openReminderKey(store, *reminder);
        if (!store.readBool(layout::notice::dateEnabled)) {
            continue;
        }
        const bool spent =
            store.readBool(layout::notice::once) && !store.readBool(layout::notice::enabled);
        timer->setEnabled(!spent && reminders::isToday(store.readDate(layout::notice::date)));
    }
}

} // namespace tickwell
