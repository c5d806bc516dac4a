#pragma once

// The number of a new reminder or task.

#include <cstdint>
#include <string>

class SettingsStore;

namespace layout {

// The first number above `counter` whose subkey (`keyName` of it) does not exist in the store's
// current key. The counter only grows while the program writes it, but a store brought in from
// elsewhere may already hold subkeys above it; a new item must never take one of them over.
// Past the largest number the count wraps as a 32-bit value would.
std::int32_t nextFreeNumber(SettingsStore& store, std::int32_t counter,
                            std::string (*keyName)(std::int32_t));

} // namespace layout
