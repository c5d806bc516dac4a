#pragma once

// The accessor through which the program reaches its settings: a root, at most one open key
// (the current key) and that key's path. Each handler creates its own accessor, sets the root,
// opens the key it needs, reads or writes single values and lets the accessor go. Every write is
// in the store when the call returns and is seen at once by every other accessor; inside a Batch
// it is durable only with the batch's commit().
//
// Reads of a missing string give ""; reads of a missing integer, boolean or date throw
// StoreError "Failed to get data for '<name>'"; a value of another type or size throws
// "Invalid data type for '<name>'"; a write the store refuses throws
// "Failed to set data for '<name>'". Opening, testing and deleting report a missing key or
// value by their result; a failure of the store itself (locked by another process past the wait,
// I/O error, disk full, damage, a store that cannot be opened) is never taken for a missing key
// or value: it throws StoreError as well, "Failed to open key '<path>'" when opening or testing a
// key, "Failed to get data for '<name>'" when testing a value, "Failed to set data for '<path or
// name>'" when deleting.
//
// Paths follow KeyPath.h: "\A\B" is taken from the root, "A\B" from the current key (from the
// root when none is open). When the current key is deleted through another accessor, reads find
// nothing and writes fail; it is not created again.

#include "settings/KeyPath.h"
#include "settings/StoreDatabase.h"
#include "settings/StoreError.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class SettingsStore {
public:
    using Root = tickwell::Root;

    // An accessor on the user's store (StoreDatabase::defaultDatabase()). When that store cannot
    // be opened (a folder that cannot be written), every operation that needs it throws
    // StoreError; the next operation tries to open it again.
    SettingsStore();
    // An accessor on the given store (tools and tests).
    explicit SettingsStore(std::shared_ptr<tickwell::StoreDatabase> database);

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Selects the root; a change of root closes the current key. The per-machine root is
    // selected until then.
    void setRoot(Root root);
    Root root() const { return root_; }

    // Opens the key at `path`, with `canCreate` creating it and every missing key on its way.
    // Returns false, the current key staying as it was, when the key is missing (or cannot be
    // created: an invalid path or name); throws StoreError when the store fails.
    bool openKey(std::string_view path, bool canCreate);
    // Opens the existing key at `path`, or throws StoreError::failedToOpen(path): for handlers
    // that must not go on in another key when theirs was removed behind the program's back.
    void openExistingKey(std::string_view path);
    void closeKey();
    bool hasCurrentKey() const { return currentKey_ != 0; }
    // The current key's path from the root, without a leading '\'; "" when no key is open.
    const std::string& currentPath() const { return currentPath_; }

    std::string readString(std::string_view name);
    void writeString(std::string_view name, std::string_view text);
    std::int32_t readInteger(std::string_view name);
    void writeInteger(std::string_view name, std::int32_t value);
    bool readBool(std::string_view name);
    void writeBool(std::string_view name, bool value);
    // Days since 1899-12-30; the fraction is the time of day.
    double readDate(std::string_view name);
    void writeDate(std::string_view name, double days);

    bool valueExists(std::string_view name);
    // Whether the key at `path` exists; the current key does not change.
    bool keyExists(std::string_view path);
    // Deletes the key at `path` with everything below it; the current key does not change.
    // A path that names the root or the current key itself ("" or "\") is refused.
    bool deleteKey(std::string_view path);
    bool deleteValue(std::string_view name);

    class Batch;

private:
    tickwell::StoreDatabase* database();
    // Remembers a write for the batch that holds this accessor, if any.
    void noteWrite(std::string_view name);
    // The key a path starts from: the root for an absolute path or when no key is open,
    // otherwise the current key.
    tickwell::KeyId baseFor(const tickwell::KeyPath& path, tickwell::StoreDatabase& db) const;
    // The value as stored, or nothing when it is missing or no key is open.
    std::optional<tickwell::RawValue> readRaw(std::string_view name);
    void writeRaw(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data);

    std::shared_ptr<tickwell::StoreDatabase> database_;
    bool usesDefaultDatabase_ = false;
    Root root_ = Root::LocalMachine;
    tickwell::KeyId currentKey_ = 0; // 0: no key open
    std::string currentPath_;
    Batch* batch_ = nullptr;
};

// Many writes as one: while a batch lives, the writes to its accessor's store (through this
// accessor or any other on the same store) are kept back and made durable together by commit(),
// one transaction with one sync to disk instead of one for each. A batch that ends without
// commit(), an error having passed through it, leaves none of them in the store.
//
// A write that fails inside a batch throws as it would outside it. A commit() that fails throws
// StoreError "Failed to set data for '<name>'", naming the first value written through this
// accessor, and nothing of the batch stays. A batch made while another lives on the same store
// joins it: only the outermost one commits (see StoreDatabase::Batch).
class SettingsStore::Batch {
public:
    explicit Batch(SettingsStore& store);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    void commit();

private:
    friend class SettingsStore;
    // Starts the database's batch, once the store has been reached.
    void attach(tickwell::StoreDatabase& database);

    SettingsStore& store_;
    Batch* enclosing_;
    std::optional<tickwell::StoreDatabase::Batch> databaseBatch_;
    std::string firstWrite_;
    bool wrote_ = false;
};
