#include "settings/ItemNumber.h"

#include "settings/SettingsStore.h"

namespace layout {

std::int32_t nextFreeNumber(SettingsStore& store, std::int32_t counter,
                            std::string (*keyName)(std::int32_t)) {
    auto number = static_cast<std::uint32_t>(counter);
    do {
        ++number;
    } while (store.keyExists(keyName(static_cast<std::int32_t>(number))));
    return static_cast<std::int32_t>(number);
}

} // namespace layout
