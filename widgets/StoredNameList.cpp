#include "widgets/StoredNameList.h"

#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "settings/StoreError.h"
#include "widgets/ListBox.h"
#include "widgets/ListIndexError.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tickwell {

void loadNameList(ListBox& list, SettingsStore& store, std::string_view valueName) {
    for (const std::string& name : NameList::split(store.readString(valueName))) {
        list.addItem(QString::fromStdString(name));
    }
}

void storeNameList(SettingsStore& store, std::string_view valueName, const QStringList& names) {
    std::vector<std::string> list;
    list.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) {
        list.push_back(name.toStdString());
    }
    store.writeString(valueName, NameList::join(list));
}

const std::string& listedSubkey(const std::vector<std::string>& keys, int index,
                                std::string_view parentKey) {
    checkListIndex(index, static_cast<int>(keys.size()));
    const std::string& subkey = keys[static_cast<std::size_t>(index)];
    if (!layout::namesOneSubkey(subkey)) {
        throw StoreError::failedToOpen(layout::subkeyPath(parentKey, subkey));
    }
    return subkey;
}

int listedRow(const std::vector<std::string>& keys, std::string_view subkey) {
    const auto found = std::find(keys.begin(), keys.end(), subkey);
    return found == keys.end() ? -1 : static_cast<int>(found - keys.begin());
}

} // namespace tickwell
