#include "settings/SettingsStore.h"

#include "settings/KeyPath.h"

#include <array>
#include <bit>

using tickwell::KeyId;
using tickwell::StoreDatabaseError;
namespace valuetype = tickwell::valuetype;

namespace {

// The registry's expandable string type reads as a string as well.
constexpr std::uint32_t expandStringType = 2;

std::uint64_t fromLittleEndian(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

template <std::size_t N> std::array<std::uint8_t, N> toLittleEndian(std::uint64_t value) {
    std::array<std::uint8_t, N> bytes{};
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(value & 0xFF);
        value >>= 8;
    }
    return bytes;
}

} // namespace

SettingsStore::SettingsStore() : usesDefaultDatabase_(true) {}

SettingsStore::SettingsStore(std::shared_ptr<tickwell::StoreDatabase> database)
    : database_(std::move(database)) {}

tickwell::StoreDatabase* SettingsStore::database() {
    if (!database_ && usesDefaultDatabase_) {
        try {
            database_ = tickwell::StoreDatabase::defaultDatabase();
        } catch (const StoreDatabaseError&) {
            // Not kept: a later call tries again, the folder may have become writable.
        }
        if (database_ && batch_ != nullptr) {
            batch_->attach(*database_);
        }
    }
    return database_.get();
}

void SettingsStore::noteWrite(std::string_view name) {
    for (Batch* batch = batch_; batch != nullptr && !batch->wrote_; batch = batch->enclosing_) {
        batch->firstWrite_ = name;
        batch->wrote_ = true;
    }
}

SettingsStore::Batch::Batch(SettingsStore& store) : store_(store), enclosing_(store.batch_) {
    store_.batch_ = this;
    if (store_.database_) {
        attach(*store_.database_);
    }
}

SettingsStore::Batch::~Batch() {
    store_.batch_ = enclosing_;
}

void SettingsStore::Batch::attach(tickwell::StoreDatabase& database) {
    if (enclosing_ != nullptr) {
        enclosing_->attach(database); // the outer batch first, so that it is the outermost
    }
    if (!databaseBatch_) {
        databaseBatch_.emplace(database);
    }
}

void SettingsStore::Batch::commit() {
    if (!databaseBatch_) {
        return; // the store was never reached: nothing was written
    }
    try {
        databaseBatch_->commit();
    } catch (const StoreDatabaseError&) {
        throw StoreError::failedToSet(firstWrite_);
    }
}

KeyId SettingsStore::baseFor(const tickwell::KeyPath& path, tickwell::StoreDatabase& db) const {
    return (path.absolute || currentKey_ == 0) ? db.rootKey(root_) : currentKey_;
}

void SettingsStore::setRoot(Root root) {
    if (root != root_) {
        closeKey();
    }
    root_ = root;
}

bool SettingsStore::openKey(std::string_view path, bool canCreate) {
    const auto parsed = tickwell::parseKeyPath(path);
    if (!parsed) {
        return false;
    }
    auto* db = database();
    if (!db) {
        throw StoreError::failedToOpen(path);
    }
    const bool fromRoot = parsed->absolute || currentKey_ == 0;
    const KeyId base = baseFor(*parsed, *db);
    std::optional<KeyId> key;
    try {
        key = canCreate ? db->createKey(base, path) : db->findKey(base, path);
    } catch (const StoreDatabaseError&) {
        throw StoreError::failedToOpen(path);
    }
    if (!key) {
        return false;
    }
    std::string newPath = tickwell::joinKeyPath(parsed->components);
    if (!fromRoot && !currentPath_.empty() && !newPath.empty()) {
        newPath = currentPath_ + "\\" + newPath;
    } else if (!fromRoot && newPath.empty()) {
        newPath = currentPath_;
    }
    currentKey_ = *key;
    currentPath_ = std::move(newPath);
    return true;
}

void SettingsStore::openExistingKey(std::string_view path) {
    if (!openKey(path, false)) {
        throw StoreError::failedToOpen(path);
    }
}

void SettingsStore::closeKey() {
    currentKey_ = 0;
    currentPath_.clear();
}

std::optional<tickwell::RawValue> SettingsStore::readRaw(std::string_view name) {
    auto* db = database();
    if (currentKey_ == 0 || !db) {
        return std::nullopt;
    }
    try {
        return db->readValue(currentKey_, name);
    } catch (const StoreDatabaseError&) {
        throw StoreError::failedToGet(name);
    }
}

void SettingsStore::writeRaw(std::string_view name, std::uint32_t type,
                             std::span<const std::uint8_t> data) {
    auto* db = database();
    if (currentKey_ == 0 || !db) {
        throw StoreError::failedToSet(name);
    }
    bool written = false;
    try {
        written = db->setValue(currentKey_, name, type, data);
    } catch (const StoreDatabaseError&) {
        written = false;
    }
    if (!written) {
        throw StoreError::failedToSet(name);
    }
    noteWrite(name);
}

std::string SettingsStore::readString(std::string_view name) {
    const auto value = readRaw(name);
    if (!value) {
        return {};
    }
    if (value->type != valuetype::String && value->type != expandStringType) {
        throw StoreError::invalidType(name);
    }
    std::string text(value->data.begin(), value->data.end());
    return text.substr(0, text.find('\0'));
}

void SettingsStore::writeString(std::string_view name, std::string_view text) {
    // A string ends at its first NUL, as the registry's string values do.
    text = text.substr(0, text.find('\0'));
    writeRaw(name, valuetype::String,
             {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::int32_t SettingsStore::readInteger(std::string_view name) {
    const auto value = readRaw(name);
    if (!value) {
        throw StoreError::failedToGet(name);
    }
    if (value->type != valuetype::Dword || value->data.size() != 4) {
        throw StoreError::invalidType(name);
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(fromLittleEndian(value->data)));
}

void SettingsStore::writeInteger(std::string_view name, std::int32_t value) {
    const auto bytes = toLittleEndian<4>(static_cast<std::uint32_t>(value));
    writeRaw(name, valuetype::Dword, bytes);
}

bool SettingsStore::readBool(std::string_view name) {
    return readInteger(name) != 0;
}

void SettingsStore::writeBool(std::string_view name, bool value) {
    writeInteger(name, value ? 1 : 0);
}

double SettingsStore::readDate(std::string_view name) {
    const auto value = readRaw(name);
    if (!value) {
        throw StoreError::failedToGet(name);
    }
    if (value->type != valuetype::Binary || value->data.size() != 8) {
        throw StoreError::invalidType(name);
    }
    return std::bit_cast<double>(fromLittleEndian(value->data));
}

void SettingsStore::writeDate(std::string_view name, double days) {
    const auto bytes = toLittleEndian<8>(std::bit_cast<std::uint64_t>(days));
    writeRaw(name, valuetype::Binary, bytes);
}

bool SettingsStore::valueExists(std::string_view name) {
    return readRaw(name).has_value();
}

bool SettingsStore::keyExists(std::string_view path) {
    const auto parsed = tickwell::parseKeyPath(path);
    if (!parsed) {
        return false;
    }
    auto* db = database();
    if (!db) {
        throw StoreError::failedToOpen(path);
    }
    try {
        return db->findKey(baseFor(*parsed, *db), path).has_value();
    } catch (const StoreDatabaseError&) {
        throw StoreError::failedToOpen(path);
    }
}

bool SettingsStore::deleteKey(std::string_view path) {
    const auto parsed = tickwell::parseKeyPath(path);
    if (!parsed || parsed->components.empty()) {
        return false;
    }
    auto* db = database();
    if (!db) {
        throw StoreError::failedToSet(path);
    }
    try {
        const auto key = db->findKey(baseFor(*parsed, *db), path);
        if (!key || !db->deleteKeyTree(*key)) {
            return false;
        }
    } catch (const StoreDatabaseError&) {
        throw StoreError::failedToSet(path);
    }
    noteWrite(path);
    return true;
}

bool SettingsStore::deleteValue(std::string_view name) {
    auto* db = database();
    if (currentKey_ == 0 || !db) {
        return false;
    }
    bool deleted = false;
    try {
        deleted = db->deleteValue(currentKey_, name);
    } catch (const StoreDatabaseError&) {
        throw StoreError::failedToSet(name);
    }
    if (deleted) {
        noteWrite(name);
    }
    return deleted;
}
