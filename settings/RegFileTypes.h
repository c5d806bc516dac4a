#pragma once

// What a .reg file describes: the changes an import makes, and the snapshot of a key tree that
// an export writes. It speaks the store's vocabulary (roots, value types, raw values) but never
// touches a store.

#include "settings/StoreDatabase.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tickwell::regfile {

// "HKEY_LOCAL_MACHINE"/"HKLM" and "HKEY_CURRENT_USER"/"HKCU", in any letter case.
std::optional<Root> rootFromName(std::string_view name);
// The long name, as the registry editor writes it.
std::string_view rootLongName(Root root);

// A key: its root and its path below the root, components joined by '\' (empty for the root).
struct RegKeyPath {
    Root root = Root::LocalMachine;
    std::string path;

    // "HKEY_LOCAL_MACHINE\SOFTWARE\Tickwell2"
    std::string fullName() const;
    bool operator==(const RegKeyPath&) const = default;
};

// Parses "ROOT\path\to\key" (ROOT as for rootFromName; one trailing '\' is ignored), the path
// following the rules of KeyPath.h for `use`. On failure returns nothing and puts a one-line
// reason into `reason`.
std::optional<RegKeyPath> parseKeyName(std::string_view text, KeyPathUse use, std::string& reason);

// One change of an import, applied in file order. Strings (key paths, value names, REG_SZ
// data) are UTF-8; REG_DWORD data is 4 bytes little-endian.
struct RegChange {
    enum class Kind { CreateKey, DeleteTree, SetValue, DeleteValue };

    Kind kind = Kind::CreateKey;
    RegKeyPath key;
    std::string valueName;          // SetValue, DeleteValue; empty for the unnamed value
    std::uint32_t type = 0;         // SetValue
    std::vector<std::uint8_t> data; // SetValue

    bool operator==(const RegChange&) const = default;
};

// Why a file was refused: the 1-based line number and a one-line reason.
struct RegParseError {
    int line = 0;
    std::string reason;

    bool operator==(const RegParseError&) const = default;
};

// The keys of a tree with their values, parent before children and subkeys in the order they
// are to be written: a flat list, so that neither walking nor dropping a deep tree recurses.
struct RegKeySnapshot {
    struct Key {
        std::size_t depth = 0; // 0 for the top key, 1 for its subkeys, ...
        std::string name;      // the key's own name; the top key is named by its RegKeyPath
        std::vector<RawValue> values;

        bool operator==(const Key&) const = default;
    };
    std::vector<Key> keys;

    bool operator==(const RegKeySnapshot&) const = default;
};

} // namespace tickwell::regfile
