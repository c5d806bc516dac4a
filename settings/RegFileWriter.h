#pragma once

// Writes a key tree in the registry editor's text format: "Windows Registry Editor Version
// 5.00", UTF-16LE with a byte-order mark, CR LF line ends, sections parent before children,
// hex data wrapped the way the editor wraps it.

#include "settings/RegFileTypes.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace tickwell::regfile {

// A snapshot the format cannot carry: a string that is not UTF-8, a key name with a line break,
// a key beyond the limits of depth and path length (which an import would refuse).
class RegWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `top` names the snapshot's top key; keys are written in the snapshot's order.
std::vector<std::uint8_t> writeRegFile(const RegKeyPath& top, const RegKeySnapshot& snapshot);

} // namespace tickwell::regfile
