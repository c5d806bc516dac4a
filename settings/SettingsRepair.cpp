#include "settings/SettingsRepair.h"

#include "settings/Layout.h"
#include "settings/NameList.h"

#include <limits>

namespace tickwell {

namespace {

constexpr ListPair reminderLists{layout::notificationsKey, layout::notifications::notificationsList,
                                 layout::notifications::noticesList, layout::notice::name};
constexpr ListPair taskLists{layout::tasksKey, layout::tasks::tasksList, layout::tasks::tskList,
                             layout::task::name};

// A list length as a stored counter; no list comes near the limit, but a count must not wrap.
std::int32_t countOf(std::size_t size) {
    constexpr auto largest = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(size < largest ? size : largest);
}

} // namespace

SettingsRepair::SettingsRepair(double today) : today_(today) {
    store_.setRoot(Root::LocalMachine);
}

void SettingsRepair::openSoftwareKey() {
    // Relative to the root: no key is open yet.
    store_.openKey(layout::softwareKey.substr(1), true);
}

bool SettingsRepair::previousVersionPresent() {
    return store_.keyExists(layout::previousVersionKeyName);
}

void SettingsRepair::deletePreviousVersion() {
    store_.deleteKey(layout::previousVersionKeyName);
}

void SettingsRepair::noteFirstStart() {
    firstStart_ = !store_.keyExists(layout::productKeyName);
}

void SettingsRepair::checkLayoutKeys() {
    store_.openKey(layout::productKeyName, true);
    checkValues(layout::productDefaults);
    store_.openKey(layout::notificationsKeyName, true);
    checkValues(layout::notificationsDefaults);
    store_.closeKey();
    store_.openKey(layout::tasksKey, true);
    checkValues(layout::tasksDefaults);
}

void SettingsRepair::checkReminderLists() {
    Lists lists = readLists(reminderLists);
    raiseCounter(layout::notifications::notificationsCounter, lists.keys.size(), false);
    matchEntriesToSubkeys(reminderLists, lists);
    writeLists(reminderLists, lists);
    reminderKeys_ = std::move(lists.keys);
}

void SettingsRepair::checkTaskLists() {
    Lists lists = readLists(taskLists);
    const std::int32_t counter = raiseCounter(layout::tasks::tasksCounter, lists.keys.size(), true);
    if (counter != 0 && store_.readInteger(layout::tasks::taskNumber) > counter) {
        store_.writeInteger(layout::tasks::taskNumber, 0);
        ++errors_;
    }
    matchEntriesToSubkeys(taskLists, lists);
    writeLists(taskLists, lists);
    taskKeys_ = std::move(lists.keys);
}

void SettingsRepair::checkReminderValues() {
    for (const std::string& entry : reminderKeys_) {
        reopen(layout::subkeyPath(layout::notificationsKey, entry));
        checkValues(layout::noticeDefaults);
        // A dated reminder needs its day; an undated one is never asked for it.
        if (store_.readBool(layout::notice::dateEnabled) &&
            !store_.valueExists(layout::notice::date)) {
            store_.writeDate(layout::notice::date, today_);
            ++errors_;
        }
    }
}

void SettingsRepair::checkTaskValues() {
    for (const std::string& entry : taskKeys_) {
        reopen(layout::subkeyPath(layout::tasksKey, entry));
        checkValues(layout::taskDefaults);
    }
}

void SettingsRepair::reopen(std::string_view path) {
    store_.closeKey();
    store_.openKey(path, false);
}

template <class Table> void SettingsRepair::checkValues(const Table& defaults) {
    for (const layout::DefaultValue& value : defaults) {
        if (!store_.valueExists(value.name)) {
            writeDefault(value);
            ++errors_;
        }
    }
}

void SettingsRepair::writeDefault(const layout::DefaultValue& value) {
    switch (value.kind) {
    case layout::Kind::String:
        store_.writeString(value.name, "");
        break;
    case layout::Kind::Integer:
        store_.writeInteger(value.name, value.value);
        break;
    case layout::Kind::Boolean:
        store_.writeBool(value.name, value.value != 0);
        break;
    case layout::Kind::Today:
        store_.writeDate(value.name, today_);
        break;
    }
}

SettingsRepair::Lists SettingsRepair::readLists(const ListPair& pair) {
    reopen(pair.key);
    Lists lists{NameList::split(store_.readString(pair.displayList)),
                NameList::split(store_.readString(pair.keyList))};
    while (lists.display.size() > lists.keys.size()) {
        lists.display.pop_back();
        ++errors_;
    }
    return lists;
}

std::int32_t SettingsRepair::raiseCounter(std::string_view counterName, std::size_t needed,
                                          bool alwaysWrite) {
    std::int32_t counter = store_.readInteger(counterName);
    const std::int32_t least = countOf(needed);
    const bool tooLow = counter < least;
    if (tooLow) {
        counter = least;
        ++errors_;
    }
    if (tooLow || alwaysWrite) {
        store_.writeInteger(counterName, counter);
    }
    return counter;
}

void SettingsRepair::matchEntriesToSubkeys(const ListPair& pair, Lists& lists) {
    std::size_t i = 0;
    while (i < lists.keys.size()) {
        reopen(pair.key);
        if (!namesSubkey(lists.keys[i])) {
            lists.keys.erase(lists.keys.begin() + static_cast<std::ptrdiff_t>(i));
            if (i < lists.display.size()) {
                lists.display.erase(lists.display.begin() + static_cast<std::ptrdiff_t>(i));
            }
            ++errors_;
            continue; // the next entry has moved into position i
        }
        store_.openKey(lists.keys[i], false);
        // The display list holds each name on one line, as the list writes it.
        std::string name = NameList::oneLine(store_.readString(pair.nameValue));
        if (i >= lists.display.size()) {
            // A display list shorter than its key list (an outside edit): the missing entry is
            // the subkey's own name, so that both lists end up the same length.
            lists.display.push_back(std::move(name));
            ++errors_;
        } else if (lists.display[i] != name) {
            lists.display[i] = std::move(name);
            ++errors_;
        }
        ++i;
    }
}

bool SettingsRepair::namesSubkey(std::string_view entry) {
    return layout::namesOneSubkey(entry) && store_.keyExists(entry);
}

void SettingsRepair::writeLists(const ListPair& pair, const Lists& lists) {
    reopen(pair.key);
    store_.writeString(pair.displayList, NameList::join(lists.display));
    store_.writeString(pair.keyList, NameList::join(lists.keys));
}

} // namespace tickwell
