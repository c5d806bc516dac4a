#include "tasks/TaskRecord.h"

#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "settings/StoreError.h"
#include "widgets/ListIndexError.h"

#include <cmath>

namespace tickwell::tasks {

void openTasksKey(SettingsStore& store) {
    store.setRoot(SettingsStore::Root::LocalMachine);
    store.openExistingKey(layout::tasksKey);
}

std::vector<std::string> readKeyList(SettingsStore& store) {
    return NameList::split(store.readString(layout::tasks::tskList));
}

const std::string& keyAt(const std::vector<std::string>& keys, int index) {
    checkListIndex(index, static_cast<int>(keys.size()));
    const std::string& subkey = keys[static_cast<std::size_t>(index)];
    if (!layout::namesOneSubkey(subkey)) {
        throw StoreError::failedToOpen(taskKeyPath(subkey));
    }
    return subkey;
}

std::string taskKeyPath(std::string_view subkey) {
    std::string path(layout::tasksKey);
    path += '\\';
    path += subkey;
    return path;
}

void openTaskKey(SettingsStore& store, std::string_view subkey) {
    store.openExistingKey(taskKeyPath(subkey));
}

std::string openTaskAt(SettingsStore& store, int index) {
    openTasksKey(store);
    std::string subkey = keyAt(readKeyList(store), index);
    openTaskKey(store, subkey);
    return subkey;
}

bool startsNewCycle(double date, double today) {
    return std::floor(date) < today;
}

void beginNewCycle(SettingsStore& store, double today) {
    store.writeBool(layout::task::complete, false);
    store.writeDate(layout::task::date, today);
}

int noticeCloseDelayMs(int periodSeconds) {
    if (periodSeconds <= 0) {
        // Not a period the program writes; such a notice stays until it is clicked.
        return 0;
    }
    if (periodSeconds < 100) {
        return (7 * periodSeconds / 10) * 1000;
    }
    return 60000;
}

} // namespace tickwell::tasks
