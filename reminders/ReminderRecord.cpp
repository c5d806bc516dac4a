#include "reminders/ReminderRecord.h"

#include "platform/Clock.h"
#include "reminders/ReminderTexts.h"
#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "widgets/StoredNameList.h"

#include <cmath>

namespace tickwell::reminders {

namespace t = texts::reminders;

void openRemindersKey(SettingsStore& store) {
    store.setRoot(SettingsStore::Root::LocalMachine);
    store.openExistingKey(layout::notificationsKey);
}

std::vector<std::string> readKeyList(SettingsStore& store) {
    return NameList::split(store.readString(layout::notifications::noticesList));
}

std::string subkeyAt(SettingsStore& store, int index) {
    return keyAt(readKeyList(store), index);
}

const std::string& keyAt(const std::vector<std::string>& keys, int index) {
    return listedSubkey(keys, index, layout::notificationsKey);
}

std::string reminderKeyPath(std::string_view subkey) {
    return layout::subkeyPath(layout::notificationsKey, subkey);
}

void openReminderKey(SettingsStore& store, std::string_view subkey) {
    if (!layout::namesOneSubkey(subkey)) {
        throw StoreError::failedToOpen(reminderKeyPath(subkey));
    }
    store.openExistingKey(reminderKeyPath(subkey));
}

std::string openReminderAt(SettingsStore& store, int index) {
    openRemindersKey(store);
    std::string subkey = subkeyAt(store, index);
    openReminderKey(store, subkey);
    return subkey;
}

QString timerNameFor(std::string_view subkey) {
    return QString::fromStdString(layout::timerName(subkey));
}

std::string subkeyOfTimer(const QString& timerName) {
    return timerName.mid(static_cast<qsizetype>(layout::timerPrefix.size())).toStdString();
}

QString periodText(int seconds) {
    const int hours = seconds / 3600;
    const int minutes = (seconds - 3600 * hours) / 60;
    const int rest = seconds - 3600 * hours - 60 * minutes;
    return QString::number(hours) + QString::fromUtf8(t::periodHours) + QString::number(minutes) +
           QString::fromUtf8(t::periodMinutes) + QString::number(rest) +
           QString::fromUtf8(t::periodSeconds);
}

QString dayText(double dayCount) {
    const QDate day = dateFromDayCount(dayCount);
    if (!day.isValid()) {
        return {};
    }
    return QStringLiteral("%1.%2.%3").arg(day.day()).arg(day.month()).arg(day.year());
}

bool isToday(double dayCount) {
    return std::floor(dayCount) == currentClock().today();
}

QString shownText(const std::string& stored) {
    QString text = QString::fromStdString(stored);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

std::string storedText(const QString& shown) {
    QString text = shown;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text.toStdString();
}

int noticeCloseDelayMs(int intervalSeconds) {
    if (intervalSeconds < 60) {
        // Integer division rounds down exactly for the periods a reminder can have (1 to 59 s).
        return (7 * intervalSeconds / 10) * 1000;
    }
    return 30000;
}

} // namespace tickwell::reminders
