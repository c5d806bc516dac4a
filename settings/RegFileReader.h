#pragma once

// Reads the registry editor's text format ("Windows Registry Editor Version 5.00" or the older
// "REGEDIT4") into the list of changes it describes. It touches no store: the whole file is
// read first, and either every change comes back or the first fault, with its line number.

#include "settings/RegFileTypes.h"

#include <cstdint>
#include <span>
#include <variant>
#include <vector>

namespace tickwell::regfile {

using RegParseResult = std::variant<std::vector<RegChange>, RegParseError>;

RegParseResult parseRegFile(std::span<const std::uint8_t> bytes);

} // namespace tickwell::regfile
