#pragma once

// The lists of names the tabs show, and the key lists beside them, as the store keeps them: one
// value holding every name on a line of its own (settings/NameList.h).

#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

class SettingsStore;

namespace tickwell {

class ListBox;

// Adds each name of the stored list `valueName` of the store's open key to `list`, in order.
void loadNameList(ListBox& list, SettingsStore& store, std::string_view valueName);

// Stores `names` as the list `valueName` of the store's open key.
void storeNameList(SettingsStore& store, std::string_view valueName, const QStringList& names);

// The entry at `index` of the key list `keys` of the key at `parentKey`. Throws ListIndexError
// when the list has no such entry, and the store's "Failed to open key" error when the entry
// names no subkey of its own (layout::namesOneSubkey).
const std::string& listedSubkey(const std::vector<std::string>& keys, int index,
                                std::string_view parentKey);

// The row of `subkey` in the key list `keys`, or -1 when the list no longer names it (the item
// was deleted).
int listedRow(const std::vector<std::string>& keys, std::string_view subkey);

} // namespace tickwell
