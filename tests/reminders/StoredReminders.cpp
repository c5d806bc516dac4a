#include "StoredReminders.h"

#include "platform/Clock.h"
#include "reminders/NoticeForm.h"
#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"

#include <QApplication>

namespace tickwell::test {

void storeReminders(SettingsStore& store, const std::vector<StoredReminder>& reminders,
                    int counter) {
    std::vector<std::string> names;
    std::vector<std::string> keys;
    for (const StoredReminder& r : reminders) {
        store.openKey(std::string(layout::notificationsKey) + "\\" + r.key, true);
        store.writeBool(layout::notice::enabled, r.enabled);
        store.writeInteger(layout::notice::interval, r.interval);
        store.writeString(layout::notice::name, r.name);
        store.writeBool(layout::notice::once, r.once);
        store.writeString(layout::notice::text, r.text);
        store.writeBool(layout::notice::dateEnabled, r.date.has_value());
        if (r.date) {
            store.writeDate(layout::notice::date, dayCountFromDate(*r.date));
        }
        names.push_back(r.name);
        keys.push_back(r.key);
    }
    store.openKey(layout::notificationsKey, false);
    store.writeString(layout::notifications::notificationsList, NameList::join(names));
    store.writeString(layout::notifications::noticesList, NameList::join(keys));
    store.writeInteger(layout::notifications::notificationsCounter, counter);
}

bool storedBool(const std::string& key, std::string_view value) {
    SettingsStore store;
    store.openKey(std::string(layout::notificationsKey) + "\\" + key, false);
    return store.readBool(value);
}

std::string storedString(std::string_view key, std::string_view value) {
    SettingsStore store;
    store.openKey(std::string(layout::notificationsKey) + "\\" + std::string(key), false);
    return store.readString(value);
}

std::vector<TNoticeForm*> noticeWindows() {
    std::vector<TNoticeForm*> notices;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* notice = qobject_cast<TNoticeForm*>(widget)) {
            notices.push_back(notice);
        }
    }
    return notices;
}

void destroyNoticeWindows() {
    for (TNoticeForm* notice : noticeWindows()) {
        delete notice;
    }
}

} // namespace tickwell::test
