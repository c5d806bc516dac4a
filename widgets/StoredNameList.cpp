#include "widgets/StoredNameList.h"

#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "widgets/ListBox.h"

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

} // namespace tickwell
