#include "settings/StoreError.h"

namespace {

std::string withName(std::string_view prefix, std::string_view valueName) {
    std::string text(prefix);
    text += valueName;
    text += '\'';
    return text;
}

} // namespace

StoreError StoreError::failedToGet(std::string_view valueName) {
    return StoreError(withName("Failed to get data for '", valueName));
}

StoreError StoreError::invalidType(std::string_view valueName) {
    return StoreError(withName("Invalid data type for '", valueName));
}

StoreError StoreError::failedToSet(std::string_view valueName) {
    return StoreError(withName("Failed to set data for '", valueName));
}

StoreError StoreError::failedToOpen(std::string_view keyPath) {
    return StoreError(withName("Failed to open key '", keyPath));
}
