#pragma once

// The store side of the settings check: each step of the repair, in the order the check runs
// them, through one accessor on the per-machine root. It shows nothing; checkSettings()
// (CheckSettings.h) asks and reports around it. Every repair counts as one error.

#include "settings/SettingsStore.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace layout {
struct DefaultValue;
}

namespace tickwell {

// A display list and a key list kept in step, the key that holds them (an absolute path) and
// the value of each subkey that its display entry must equal.
struct ListPair {
    std::string_view key;
    std::string_view displayList;
    std::string_view keyList;
    std::string_view nameValue;
};

class SettingsRepair {
public:
    // `today` is the day count written to missing dates.
    explicit SettingsRepair(double today);

    // Opens "\SOFTWARE", creating it when missing, so that the product key is always created
    // in its place (a fresh store has no "\SOFTWARE" key of its own).
    void openSoftwareKey();
    // Whether the previous version's key exists under "\SOFTWARE".
    bool previousVersionPresent();
    // Deletes the previous version's key with everything below it.
    void deletePreviousVersion();
    // Notes a first start when the product key does not exist yet.
    void noteFirstStart();
    // Creates the product, "Notifications" and "Tasks" keys and their missing values.
    void checkLayoutKeys();
    // Makes the reminder lists agree with each other, the counter and the subkeys.
    void checkReminderLists();
    // The same for the task lists, and puts an out-of-range `taskNumber` back to 0.
    void checkTaskLists();
    // Fills in missing values of every reminder and task the lists name.
    void checkReminderValues();
    void checkTaskValues();

    int errors() const { return errors_; }
    bool firstStart() const { return firstStart_; }

private:
    struct Lists {
        std::vector<std::string> display;
        std::vector<std::string> keys;
    };

    // Closes the current key and opens `path` without creating it.
    void reopen(std::string_view path);
    // Writes the default of every missing value of `defaults` into the current key.
    template <class Table> void checkValues(const Table& defaults);
    void writeDefault(const layout::DefaultValue& value);
    // Reads both lists and drops display entries beyond the key list's length.
    Lists readLists(const ListPair& pair);
    // Raises the counter value `counterName` of the current key to at least `needed`; returns
    // the counter as it stands afterwards.
    std::int32_t raiseCounter(std::string_view counterName, std::size_t needed, bool alwaysWrite);
    // Drops key-list entries without a subkey (with their display entries) and makes every
    // display entry equal its subkey's name.
    void matchEntriesToSubkeys(const ListPair& pair, Lists& lists);
    // Whether `entry` is the name of an existing subkey of the current key.
    bool namesSubkey(std::string_view entry);
    void writeLists(const ListPair& pair, const Lists& lists);

    SettingsStore store_;
    double today_;
    int errors_ = 0;
    bool firstStart_ = false;
    std::vector<std::string> reminderKeys_;
    std::vector<std::string> taskKeys_;
};

} // namespace tickwell
