#pragma once

// How query shows values: "    NAME    TYPE    DATA", the unnamed value as "(Default)",
// REG_DWORD as 0x.., text as it is, binary data as hex digits. formatValueLine shows names and
// text as printable() makes them.

#include "settings/StoreDatabase.h"

#include <cstdint>
#include <string>

namespace tickwell::regtool {

std::string typeName(std::uint32_t type);
std::string formatData(const RawValue& value);
std::string formatValueLine(const RawValue& value);

} // namespace tickwell::regtool
