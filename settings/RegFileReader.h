#pragma once

// Reads the registry editor's text format ("Windows Registry Editor Version 5.00" or the older
// "REGEDIT4"): the changes a file describes, in file order, or its first fault with its line
// number. The reader touches no store and keeps no more than the entry at hand: each change goes
// to a sink as soon as it is read, and a value change names no key, only the section before it.

#include "settings/RegFileTypes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace tickwell::regfile {

// Receives the changes of a file in file order. A sink that throws stops the reading; the
// exception passes on.
class RegChangeSink {
public:
    // A [key] section: the key is created, and the values that follow are its own.
    virtual void createKey(const RegKeyPath& key) = 0;
    // A [-key] section: the key and everything below it are deleted.
    virtual void deleteTree(const RegKeyPath& key) = 0;
    // A value of the last [key] section; "" names the unnamed value.
    virtual void setValue(std::string_view name, std::uint32_t type,
                          std::span<const std::uint8_t> data) = 0;
    virtual void deleteValue(std::string_view name) = 0;

protected:
    ~RegChangeSink() = default;
};

// Reads decoded text (decodeRegFileBytes) into `sink`. Nothing when the whole text was read;
// else the first fault, and the changes handed out before it are for the caller to drop.
std::optional<RegParseError> readRegText(std::string_view text, RegChangeSink& sink);

using RegParseResult = std::variant<std::vector<RegChange>, RegParseError>;

// Every change of a file as a list, each with a copy of its key: for files the program wrote
// itself and for tests. A file from elsewhere goes through importRegFile (RegFileStore.h), which
// keeps no such list.
RegParseResult parseRegFile(std::span<const std::uint8_t> bytes);

} // namespace tickwell::regfile
