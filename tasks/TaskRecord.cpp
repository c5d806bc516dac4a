#include "tasks/TaskRecord.h"

#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "widgets/StoredNameList.h"

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
    return listedSubkey(keys, index, layout::tasksKey);
}

std::string taskKeyPath(std::string_view subkey) {
    return layout::subkeyPath(layout::tasksKey, subkey);
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
        // Not a period the program writes; the notice window closes such a notice after its
        // shortest delay.
        return 0;
    }
    if (periodSeconds < 100) {
        return (7 * periodSeconds / 10) * 1000;
    }
    return 60000;
}

} // namespace tickwell::tasks
