#pragma once

// The lists of names the tabs show, as the store keeps them: one value holding every name on a
// line of its own (settings/NameList.h).

#include <QStringList>
#include <string_view>

class SettingsStore;

namespace tickwell {

class ListBox;

// Adds each name of the stored list `valueName` of the store's open key to `list`, in order.
void loadNameList(ListBox& list, SettingsStore& store, std::string_view valueName);

// Stores `names` as the list `valueName` of the store's open key.
void storeNameList(SettingsStore& store, std::string_view valueName, const QStringList& names);

} // namespace tickwell
