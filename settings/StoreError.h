#pragma once

// The settings store's error: what() is the exact text the user is shown.

#include <stdexcept>
#include <string>
#include <string_view>

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // "Failed to get data for '<name>'": a missing value, or no key open, when reading.
    static StoreError failedToGet(std::string_view valueName);
    // "Invalid data type for '<name>'": a value of another type or size.
    static StoreError invalidType(std::string_view valueName);
    // "Failed to set data for '<name>'": a write the store refuses.
    static StoreError failedToSet(std::string_view valueName);
    // "Failed to open key '<path>'": a key that a handler needs is missing.
    static StoreError failedToOpen(std::string_view keyPath);
};
