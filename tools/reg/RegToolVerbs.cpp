#include "tools/reg/RegToolVerbs.h"

#include "settings/KeyPath.h"
#include "settings/NameFold.h"
#include "settings/PrivateFiles.h"
#include "settings/RegFileEncoding.h"
#include "settings/RegFileInput.h"
#include "settings/RegFileStore.h"
#include "settings/RegFileWriter.h"
#include "tools/reg/RegPrompt.h"
#include "tools/reg/RegQueryFormat.h"
#include "tools/reg/TerminalText.h"

#include <filesystem>
#include <ostream>

namespace tickwell::regtool {

namespace {

constexpr const char* kDone = "The operation completed successfully.";
constexpr const char* kNotFound =
    "The system was unable to find the specified registry key or value.";
constexpr const char* kCancelled = "The operation was cancelled by the user.";

using regfile::RegKeyPath;

struct FoundKey {
    KeyId id;
    RegKeyPath stored; // the path with the names as the store keeps them
};

std::optional<FoundKey> findStoredKey(StoreDatabase& db, const RegKeyPath& key) {
    FoundKey found{db.rootKey(key.root), {key.root, {}}};
    const auto path = parseKeyPath(key.path);
    if (!path) {
        return std::nullopt;
    }
    for (const std::string_view component : path->components) {
        const auto next = db.findKey(found.id, component);
        if (!next) {
            return std::nullopt;
        }
        found.id = *next;
        if (!found.stored.path.empty()) {
            found.stored.path += '\\';
        }
        found.stored.path += db.keyName(found.id).value_or(std::string(component));
    }
    return found;
}

FoundKey requireKey(StoreDatabase& db, const RegKeyPath& key) {
    auto found = findStoredKey(db, key);
    if (!found) {
        throw ToolFailure(kNotFound);
    }
    return *found;
}

std::string displayName(const std::string& valueName) {
    return valueName.empty() ? "(Default)" : valueName;
}

void confirmOrCancel(const RegCommand& command, ToolStreams io, const std::string& question) {
    if (!command.force && !askYesNo(io.in, io.out, question)) {
        throw ToolFailure(kCancelled);
    }
}

// query ... /s: the key and every key below it, each with its values (or only the value asked
// for, and only keys holding it). Returns how many keys were shown.
int printTree(std::ostream& out, const std::string& topName, const regfile::RegKeySnapshot& tree,
              const std::optional<std::string>& valueName) {
    const std::optional<std::string> wanted =
        valueName ? std::optional(foldName(*valueName)) : std::nullopt;
    int shown = 0;
    std::string fullName;
    std::vector<std::size_t> ends; // where each ancestor's name ends in fullName
    for (const regfile::RegKeySnapshot::Key& key : tree.keys) {
        fullName.resize(key.depth == 0 ? 0 : ends[key.depth - 1]);
        fullName += key.depth == 0 ? topName : '\\' + key.name;
        ends.resize(key.depth);
        ends.push_back(fullName.size());
        if (!wanted) {
            out << '\n' << printable(fullName) << '\n';
            for (const RawValue& value : key.values) {
                out << formatValueLine(value) << '\n';
            }
            ++shown;
            continue;
        }
        for (const RawValue& value : key.values) {
            if (foldName(value.name) == *wanted) {
                out << '\n' << printable(fullName) << '\n' << formatValueLine(value) << '\n';
                ++shown;
            }
        }
    }
    return shown;
}

void query(const RegCommand& command, StoreDatabase& db, ToolStreams io) {
    const FoundKey key = requireKey(db, command.key);
    const std::string fullName = key.stored.fullName();
    if (command.recurse) {
        const regfile::RegKeySnapshot tree = regfile::snapshotKeyTree(db, key.id);
        if (printTree(io.out, fullName, tree, command.valueName) == 0) {
            throw ToolFailure(kNotFound);
        }
        return;
    }
    if (command.valueName) {
        const auto value = db.readValue(key.id, *command.valueName);
        if (!value && !command.valueName->empty()) {
            throw ToolFailure(kNotFound);
        }
        io.out << '\n' << printable(fullName) << '\n';
        if (value) {
            io.out << formatValueLine(*value) << '\n';
        } else {
            io.out << "    (Default)    REG_SZ    (value not set)\n";
        }
        return;
    }
    std::vector<RawValue> values;
    std::vector<SubkeyEntry> subkeys;
    db.readTransaction([&] {
        values = db.values(key.id);
        subkeys = db.subkeys(key.id);
    });
    io.out << '\n' << printable(fullName) << '\n';
    for (const RawValue& value : values) {
        io.out << formatValueLine(value) << '\n';
    }
    if (!subkeys.empty()) {
        io.out << '\n';
        for (const SubkeyEntry& subkey : subkeys) {
            io.out << printable(fullName + '\\' + subkey.name) << '\n';
        }
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(c | 0x20);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::vector<std::uint8_t> dwordData(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    unsigned long long number = 0;
    bool valid = !digits.empty() && digits.size() <= (hex ? 8u : 10u);
    for (const char c : digits) {
        const int digit = hex ? hexValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        valid = valid && digit >= 0;
        number = number * (hex ? 16 : 10) + static_cast<unsigned>(digit < 0 ? 0 : digit);
    }
    if (!valid || number > 0xFFFFFFFFull) {
        throw ToolFailure("invalid REG_DWORD data '" + text +
                          "': expected 0 to 4294967295, or 0x0 to 0xffffffff");
    }
    return {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
}

std::vector<std::uint8_t> binaryData(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    bool valid = text.size() % 2 == 0;
    for (std::size_t i = 0; valid && i < text.size(); i += 2) {
        const int high = hexValue(text[i]);
        const int low = hexValue(text[i + 1]);
        valid = high >= 0 && low >= 0;
        bytes.push_back(static_cast<std::uint8_t>((high << 4) | low));
    }
    if (!valid) {
        throw ToolFailure("invalid REG_BINARY data '" + text +
                          "': expected an even number of hex digits");
    }
    return bytes;
}

std::vector<std::uint8_t> valueData(const RegCommand& command) {
    const std::string text = command.data.value_or(std::string{});
    if (command.type == valuetype::Dword) {
        return dwordData(command.data.value_or("0"));
    }
    if (command.type == valuetype::Binary) {
        return binaryData(text);
    }
    if (!regfile::isValidUtf8(text)) {
        throw ToolFailure("the data is not valid UTF-8 text");
    }
    return {text.begin(), text.end()};
}

void add(const RegCommand& command, StoreDatabase& db, ToolStreams io) {
    const KeyId root = db.rootKey(command.key.root);
    if (!command.valueName) {
        if (!db.createKey(root, command.key.path)) {
            throw ToolFailure("invalid key name '" + command.key.fullName() + "'");
        }
        io.out << kDone << '\n';
        return;
    }
    const std::string& name = *command.valueName;
    const std::vector<std::uint8_t> data = valueData(command);
    if (const auto key = db.findKey(root, command.key.path); key && db.readValue(*key, name)) {
        confirmOrCancel(command, io, "Value " + displayName(name) + " exists, overwrite");
    }
    db.transaction([&] {
        const auto key = db.createKey(root, command.key.path);
        if (!key) {
            throw ToolFailure("invalid key name '" + command.key.fullName() + "'");
        }
        if (!db.setValue(*key, name, command.type, data)) {
            throw ToolFailure("invalid value name '" + name + "'");
        }
    });
    io.out << kDone << '\n';
}

void remove(const RegCommand& command, StoreDatabase& db, ToolStreams io) {
    const FoundKey key = requireKey(db, command.key);
    const std::string fullName = key.stored.fullName();
    if (command.valueName) {
        if (!db.readValue(key.id, *command.valueName)) {
            throw ToolFailure(kNotFound);
        }
        confirmOrCancel(command, io,
                        "Delete the registry value " + displayName(*command.valueName));
        if (!db.deleteValue(key.id, *command.valueName)) {
            throw ToolFailure(kNotFound);
        }
    } else if (command.allValues) {
        confirmOrCancel(command, io, "Delete all values under the registry key " + fullName);
        db.transaction([&] {
            for (const RawValue& value : db.values(key.id)) {
                db.deleteValue(key.id, value.name);
            }
        });
    } else {
        if (key.stored.path.empty()) {
            throw ToolFailure("a root key cannot be deleted");
        }
        confirmOrCancel(command, io, "Permanently delete the registry key " + fullName);
        if (!db.deleteKeyTree(key.id)) {
            throw ToolFailure(kNotFound);
        }
    }
    io.out << kDone << '\n';
}

void exportKey(const RegCommand& command, StoreDatabase& db, ToolStreams io) {
    const FoundKey key = requireKey(db, command.key);
    std::error_code error;
    if (!command.overwrite && std::filesystem::exists(command.file, error)) {
        if (!askYesNo(io.in, io.out, "File " + command.file + " already exists, overwrite")) {
            throw ToolFailure(kCancelled);
        }
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes = regfile::writeRegFile(key.stored, regfile::snapshotKeyTree(db, key.id));
    } catch (const regfile::RegWriteError& e) {
        throw ToolFailure(std::string("cannot export: ") + e.what());
    }
    try {
        writePrivateFileReplacing(command.file, bytes);
    } catch (const PrivateFileError& e) {
        throw ToolFailure(e.what());
    }
    io.out << kDone << '\n';
}

void importFile(const RegCommand& command, StoreDatabase& db, ToolStreams io) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = regfile::readRegFileBytes(command.file);
    } catch (const regfile::RegFileInputError& e) {
        throw ToolFailure(e.what());
    }
    try {
        if (const auto failure = regfile::importRegFile(db, bytes)) {
            throw ToolFailure(command.file + ", line " + std::to_string(failure->line) + ": " +
                              failure->reason);
        }
    } catch (const regfile::RegApplyError& e) {
        throw ToolFailure(command.file + ": " + e.what() + "; nothing was imported");
    }
    io.out << kDone << '\n';
}

} // namespace

void runVerb(const RegCommand& command, StoreDatabase& db, ToolStreams io) {
    switch (command.verb) {
    case Verb::Query:
        query(command, db, io);
        break;
    case Verb::Add:
        add(command, db, io);
        break;
    case Verb::Delete:
        remove(command, db, io);
        break;
    case Verb::Export:
        exportKey(command, db, io);
        break;
    case Verb::Import:
        importFile(command, db, io);
        break;
    case Verb::Help:
        break;
    }
}

} // namespace tickwell::regtool
