#pragma once

#include "settings/Layout.h"
#include "settings/SettingsStore.h"

namespace tickwell::slideshow {

// Opens the product key, where the slideshow keeps its list, switch, times and counter.
inline void openProductKey(SettingsStore& store) {
    store.setRoot(SettingsStore::Root::LocalMachine);
    store.openExistingKey(layout::productKey);
}

} // namespace tickwell::slideshow
