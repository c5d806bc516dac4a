#include "settings/StoreDatabase.h"

#include "settings/KeyPath.h"
#include "settings/NameFold.h"
#include "settings/RegFileEncoding.h"
#include "settings/SqliteStatement.h"
#include "settings/StoreFileLock.h"

namespace tickwell {

using sqlite::Statement;
using sqlite::Use;

// Every statement the tree uses, prepared once per connection.
struct StoreDatabase::Statements {
    explicit Statements(sqlite3* db)
        : begin(db, "BEGIN IMMEDIATE"), beginRead(db, "BEGIN"), commit(db, "COMMIT"),
          rollback(db, "ROLLBACK"), savepoint(db, "SAVEPOINT change"),
          release(db, "RELEASE change"), rollbackTo(db, "ROLLBACK TO change"),
          root(db, "SELECT id FROM keys WHERE parent IS NULL AND fold = ?1"),
          findChild(db, "SELECT id FROM keys WHERE parent = ?1 AND fold = ?2"),
          insertKey(db, "INSERT INTO keys(parent, name, fold) VALUES(?1, ?2, ?3)"),
          keyInfo(db, "SELECT name, parent FROM keys WHERE id = ?1"),
          subkeys(db, "SELECT name, id FROM keys WHERE parent = ?1 ORDER BY fold"),
          values(db, "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY id"),
          readValue(db, "SELECT name, type, data FROM vals WHERE key = ?1 AND fold = ?2"),
          // The EXISTS keeps a deleted key deleted: nothing is written below it.
          setValue(db, "INSERT INTO vals(key, name, fold, type, data) "
                       "SELECT ?1, ?2, ?3, ?4, ?5 WHERE EXISTS(SELECT 1 FROM keys WHERE id = ?1) "
                       "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, "
                       "data = excluded.data"),
          deleteValue(db, "DELETE FROM vals WHERE key = ?1 AND fold = ?2"),
          deleteTreeValues(db, "DELETE FROM vals WHERE key IN (WITH RECURSIVE t(id) AS "
                               "(SELECT ?1 UNION ALL SELECT k.id FROM keys k JOIN t "
                               "ON k.parent = t.id) SELECT id FROM t)"),
          deleteTreeKeys(db, "DELETE FROM keys WHERE id IN (WITH RECURSIVE t(id) AS "
                             "(SELECT ?1 UNION ALL SELECT k.id FROM keys k JOIN t "
                             "ON k.parent = t.id) SELECT id FROM t)") {}

    Statement begin, beginRead, commit, rollback, savepoint, release, rollbackTo;
    Statement root, findChild, insertKey, keyInfo, subkeys, values, readValue, setValue,
        deleteValue, deleteTreeValues, deleteTreeKeys;
};

// Makes a group of statements one change: the outermost scope is a write transaction taken at
// once (so that a second process waits for it instead of failing half-way), inner scopes are
// savepoints. A scope left without commit() undoes what it did. Inside a transaction, a change of
// one statement needs no savepoint: SQLite undoes a failed statement by itself, and an import of
// many values then costs one statement each.
class StoreDatabase::WriteScope {
public:
    enum class Size { OneStatement, SeveralStatements };

    WriteScope(StoreDatabase& store, Size size) : store_(store) {
        if (store_.reading_) {
            throw StoreDatabaseError("settings store: a change inside a read-only transaction");
        }
        store_.beginPendingBatch();
        outer_ = store_.transactionDepth_ == 0;
        savepoint_ = !outer_ && size == Size::SeveralStatements;
        if (!outer_ && sqlite3_get_autocommit(store_.db_)) {
            throw StoreDatabaseError("settings store: the enclosing change was already undone "
                                     "after an earlier failure");
        }
        if (outer_ || savepoint_) {
            Use(outer_ ? store_.statements_->begin : store_.statements_->savepoint).run();
        }
        ++store_.transactionDepth_;
    }

    ~WriteScope() {
        if (done_) {
            return;
        }
        --store_.transactionDepth_;
        // After some failures SQLite has already rolled the transaction back; then there is
        // nothing left to undo.
        if (sqlite3_get_autocommit(store_.db_) || !(outer_ || savepoint_)) {
            return;
        }
        try {
            if (outer_) {
                Use(store_.statements_->rollback).run();
            } else {
                Use(store_.statements_->rollbackTo).run();
                Use(store_.statements_->release).run();
            }
        } catch (const StoreDatabaseError&) {
            // Undoing failed as well; the connection reports it on its next use.
        }
    }

    WriteScope(const WriteScope&) = delete;
    WriteScope& operator=(const WriteScope&) = delete;

    void commit() {
        if (outer_ || savepoint_) {
            try {
                Use(outer_ ? store_.statements_->commit : store_.statements_->release).run();
            } catch (const StoreDatabaseError&) {
                if (!outer_ || !sqlite::committedBeforeFailing(store_.db_)) {
                    throw;
                }
            }
        }
        done_ = true;
        --store_.transactionDepth_;
    }

private:
    StoreDatabase& store_;
    bool outer_ = false;
    bool savepoint_ = false;
    bool done_ = false;
};

void StoreDatabase::beginPendingBatch() {
    if (batchDepth_ == 0 || batchBegun_ || transactionDepth_ > 0) {
        return;
    }
    Use(statements_->begin).run();
    batchBegun_ = true;
    ++transactionDepth_;
}

StoreDatabase::Batch::Batch(StoreDatabase& store) : store_(store) {
    if (store_.batchDepth_ == 0 && store_.transactionDepth_ > 0) {
        savepoint_ = std::make_unique<WriteScope>(store_, WriteScope::Size::SeveralStatements);
        return;
    }
    outermost_ = store_.batchDepth_ == 0;
    ++store_.batchDepth_;
}

void StoreDatabase::Batch::commit() {
    if (ended_) {
        return;
    }
    if (savepoint_) {
        savepoint_->commit();
    } else if (outermost_) {
        if (store_.batchFailed_) {
            throw StoreDatabaseError("settings store: part of a batch of changes failed");
        }
        if (store_.batchBegun_) {
            try {
                Use(store_.statements_->commit).run();
            } catch (const StoreDatabaseError&) {
                if (!sqlite::committedBeforeFailing(store_.db_)) {
                    throw;
                }
            }
            store_.batchBegun_ = false;
            --store_.transactionDepth_;
        }
        --store_.batchDepth_;
    } else {
        --store_.batchDepth_;
    }
    ended_ = true;
}

StoreDatabase::Batch::~Batch() {
    // A savepoint undoes itself.
    if (ended_ || savepoint_) {
        return;
    }
    --store_.batchDepth_;
    if (!outermost_) {
        store_.batchFailed_ = true;
        return;
    }
    store_.batchFailed_ = false;
    if (!store_.batchBegun_) {
        return;
    }
    store_.batchBegun_ = false;
    --store_.transactionDepth_;
    // After some failures SQLite has already rolled the transaction back.
    if (!sqlite3_get_autocommit(store_.db_)) {
        try {
            Use(store_.statements_->rollback).run();
        } catch (const StoreDatabaseError&) {
            // Undoing failed as well; the connection reports it on its next use.
        }
    }
}

namespace {

const char* rootName(Root root) {
    return root == Root::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

} // namespace

StoreDatabase::StoreDatabase(std::filesystem::path path, sqlite3* db, StoreFileLock lock)
    : path_(std::move(path)), lock_(std::make_unique<StoreFileLock>(std::move(lock))), db_(db) {
    try {
        statements_ = std::make_unique<Statements>(db_);
        for (Root root : {Root::LocalMachine, Root::CurrentUser}) {
            Use use(statements_->root);
            use.bind(1, rootName(root));
            if (!use.step()) {
                throw StoreDatabaseError("settings store: a root key is missing");
            }
            roots_[static_cast<int>(root)] = use.integer(0);
        }
    } catch (...) {
        statements_.reset();
        sqlite3_close(db_);
        throw;
    }
}

StoreDatabase::~StoreDatabase() {
    statements_.reset();
    sqlite3_close(db_);
}

KeyId StoreDatabase::rootKey(Root root) const {
    return roots_[static_cast<int>(root)];
}

std::optional<KeyId> StoreDatabase::findKey(KeyId base, std::string_view path) {
    const auto parsed = parseKeyPath(path);
    if (!parsed || !keyAlive(base)) {
        return std::nullopt;
    }
    KeyId key = base;
    for (const auto& component : parsed->components) {
        Use use(statements_->findChild);
        use.bind(1, key).bind(2, foldName(component));
        if (!use.step()) {
            return std::nullopt;
        }
        key = use.integer(0);
    }
    return key;
}

std::optional<KeyId> StoreDatabase::createKey(KeyId base, std::string_view path) {
    const auto parsed = parseKeyPath(path, KeyPathUse::Create);
    if (!parsed) {
        return std::nullopt;
    }
    // A key that exists needs no change: finding it takes no lock, so it never waits for
    // another process's change.
    if (transactionDepth_ == 0) {
        if (const auto found = findKey(base, path)) {
            return found;
        }
    }
    WriteScope scope(*this, WriteScope::Size::SeveralStatements);
    if (!keyAlive(base) || faultBelow(placeOf(base), *parsed)) {
        return std::nullopt;
    }
    KeyId key = base;
    for (const auto& component : parsed->components) {
        const std::string fold = foldName(component);
        Use find(statements_->findChild);
        find.bind(1, key).bind(2, fold);
        if (find.step()) {
            key = find.integer(0);
            continue;
        }
        Use insert(statements_->insertKey);
        insert.bind(1, key).bind(2, component).bind(3, fold).run();
        key = sqlite3_last_insert_rowid(db_);
    }
    scope.commit();
    return key;
}

KeyPlace StoreDatabase::placeOf(KeyId key) {
    // A chain of parents longer than any tree the limits allow, made by another program or by
    // damage, must not keep this loop going for ever.
    constexpr std::size_t longestChain = std::size_t{1} << 20;
    KeyPlace place;
    std::size_t names = 0;
    while (key != roots_[0] && key != roots_[1]) {
        Use use(statements_->keyInfo);
        use.bind(1, key);
        if (!use.step() || place.depth == longestChain) {
            throw StoreDatabaseError("settings store: a key's chain of parents is broken");
        }
        ++place.depth;
        names += utf16Length(use.text(0));
        key = use.integer(1);
    }
    place.length = names + (place.depth == 0 ? 0 : place.depth - 1);
    return place;
}

bool StoreDatabase::keyAlive(KeyId key) {
    Use use(statements_->keyInfo);
    use.bind(1, key);
    return use.step();
}

std::optional<std::string> StoreDatabase::keyName(KeyId key) {
    Use use(statements_->keyInfo);
    use.bind(1, key);
    if (!use.step()) {
        return std::nullopt;
    }
    if (key == roots_[0] || key == roots_[1]) {
        return std::string();
    }
    return use.text(0);
}

std::vector<SubkeyEntry> StoreDatabase::subkeys(KeyId key) {
    std::vector<SubkeyEntry> result;
    Use use(statements_->subkeys);
    use.bind(1, key);
    while (use.step()) {
        result.push_back({use.text(0), use.integer(1)});
    }
    return result;
}

std::vector<RawValue> StoreDatabase::values(KeyId key) {
    std::vector<RawValue> result;
    Use use(statements_->values);
    use.bind(1, key);
    while (use.step()) {
        result.push_back({use.text(0), static_cast<std::uint32_t>(use.integer(1)), use.blob(2)});
    }
    return result;
}

std::optional<RawValue> StoreDatabase::readValue(KeyId key, std::string_view name) {
    Use use(statements_->readValue);
    use.bind(1, key).bind(2, foldName(name));
    if (!use.step()) {
        return std::nullopt;
    }
    return RawValue{use.text(0), static_cast<std::uint32_t>(use.integer(1)), use.blob(2)};
}

bool StoreDatabase::setValue(KeyId key, std::string_view name, std::uint32_t type,
                             std::span<const std::uint8_t> data) {
    if (!isValidValueName(name) ||
        (type == valuetype::String &&
         !regfile::isValidUtf8({reinterpret_cast<const char*>(data.data()), data.size()}))) {
        return false;
    }
    WriteScope scope(*this, WriteScope::Size::OneStatement);
    Use use(statements_->setValue);
    use.bind(1, key)
        .bind(2, name)
        .bind(3, foldName(name))
        .bind(4, static_cast<std::int64_t>(type))
        .bindBlob(5, data)
        .run();
    const bool written = sqlite3_changes(db_) > 0;
    scope.commit();
    return written;
}

bool StoreDatabase::deleteValue(KeyId key, std::string_view name) {
    WriteScope scope(*this, WriteScope::Size::OneStatement);
    Use use(statements_->deleteValue);
    use.bind(1, key).bind(2, foldName(name)).run();
    const bool deleted = sqlite3_changes(db_) > 0;
    scope.commit();
    return deleted;
}

bool StoreDatabase::deleteKeyTree(KeyId key) {
    if (key == roots_[0] || key == roots_[1]) {
        return false;
    }
    WriteScope scope(*this, WriteScope::Size::SeveralStatements);
    Use(statements_->deleteTreeValues).bind(1, key).run();
    Use(statements_->deleteTreeKeys).bind(1, key).run();
    const bool deleted = sqlite3_changes(db_) > 0;
    scope.commit();
    return deleted;
}

void StoreDatabase::transaction(const std::function<void()>& body) {
    WriteScope scope(*this, WriteScope::Size::SeveralStatements);
    body();
    scope.commit();
}

void StoreDatabase::readTransaction(const std::function<void()>& body) {
    if (reading_ || transactionDepth_ > 0) {
        body();
        return;
    }
    Use(statements_->beginRead).run();
    reading_ = true;
    try {
        body();
    } catch (...) {
        reading_ = false;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    reading_ = false;
    Use(statements_->commit).run();
}

} // namespace tickwell
