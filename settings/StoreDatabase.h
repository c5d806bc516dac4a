#pragma once

// The raw key tree behind the settings store: two roots, keys with subkeys and typed values, kept
// in one SQLite database file. SettingsStore builds the program's accessor on top of it; the
// command-line tool uses it directly.
//
// Names of keys and values compare without regard to letter case (see NameFold.h) and keep the
// case they were created with. Every change is committed and durable before the call returns,
// unless it runs inside transaction() or while a Batch lives, which commit everything at their
// end or nothing at all.
// Another process may read and write the same file at the same time.
//
// Outcomes: an operation that the tree refuses (missing or deleted key, a name or path outside
// the rules of KeyPath.h) returns false or nothing; a failure of the file itself (I/O, damage found
// while running, a folder that cannot be written) throws StoreDatabaseError.
//
// One StoreDatabase object belongs to one thread at a time.

#include "settings/KeyPath.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace tickwell {

enum class Root { LocalMachine, CurrentUser };

// Identifies a key for as long as it lives; ids of deleted keys are never given out again.
using KeyId = std::int64_t;

// The registry's numbers for the value types the program uses; any other number is kept as given.
namespace valuetype {
inline constexpr std::uint32_t String = 1; // UTF-8 text, no NUL
inline constexpr std::uint32_t Binary = 3; // raw bytes
inline constexpr std::uint32_t Dword = 4;  // 4 bytes, little-endian
} // namespace valuetype

struct RawValue {
    std::string name; // as first created; empty for the unnamed value
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;

    bool operator==(const RawValue&) const = default;
};

struct SubkeyEntry {
    std::string name; // as first created
    KeyId id = 0;
};

class StoreFileLock;

class StoreDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A damaged store file that was moved aside so that a fresh one could start.
struct StoreRecoveryNotice {
    std::filesystem::path originalPath;
    std::filesystem::path movedToPath;
    std::chrono::system_clock::time_point when;
};

// The notice of the last store file moved aside in this process, handed out once: the program
// shows it to the user, the tool prints it. Empty when nothing was moved aside since the last take.
std::optional<StoreRecoveryNotice> takeStoreRecoveryNotice();

// How long a change waits for another process's change to end before it fails: the tools may
// wait long, the program's interface thread must not freeze.
inline constexpr std::chrono::milliseconds toolBusyWait{10000};
inline constexpr std::chrono::milliseconds interfaceBusyWait{1000};

class StoreDatabase {
public:
    // Opens the store file at `file`, creating it (and its folder) when missing. A damaged file
    // (or one that is no database at all) is moved aside (see StoreRecoveryNotice) and a fresh
    // store is started, but only while no other connection has it open; a sound database of
    // another program, or of a newer version of this one, is left as it is. Throws
    // StoreDatabaseError when the file can be neither opened nor created, is refused, or stays
    // damaged because another process has it open.
    static std::shared_ptr<StoreDatabase>
    openFile(const std::filesystem::path& file, std::chrono::milliseconds busyWait = toolBusyWait);

    // The folder of the user's store: $TICKWELL_CONFIG_DIR when set, else
    // $XDG_CONFIG_HOME/tickwell, else ~/.config/tickwell.
    static std::filesystem::path defaultFolder();
    // defaultFolder() / "settings.db".
    static std::filesystem::path defaultFilePath();

    // The program's store at defaultFilePath(), opened on first use with interfaceBusyWait. A
    // failed open is not kept: the next call tries again. Throws StoreDatabaseError when it cannot
    // be opened.
    static std::shared_ptr<StoreDatabase> defaultDatabase();
    // Forgets the process-wide store, so that the next defaultDatabase() opens it afresh (after a
    // test has pointed TICKWELL_CONFIG_DIR elsewhere). Objects already handed out stay usable.
    static void resetDefaultDatabase();

    ~StoreDatabase();
    StoreDatabase(const StoreDatabase&) = delete;
    StoreDatabase& operator=(const StoreDatabase&) = delete;

    const std::filesystem::path& filePath() const { return path_; }

    KeyId rootKey(Root root) const;

    // Paths are taken from `base`, components separated by '\', as KeyPath.h describes (a leading
    // '\' is ignored here: the caller has chosen `base`). An empty path is `base` itself.

    // The key at `path` below `base`; nothing when it, or `base`, does not exist or the path is
    // invalid.
    std::optional<KeyId> findKey(KeyId base, std::string_view path);
    // Like findKey, creating every missing key on the way. Nothing when `base` no longer exists,
    // the path is invalid for creating keys, or the key would lie deeper or further from its
    // root than the limits allow; in those cases nothing was created.
    std::optional<KeyId> createKey(KeyId base, std::string_view path);

    bool keyAlive(KeyId key);
    // The key's own name as first created ("" for a root); nothing for a deleted key.
    std::optional<std::string> keyName(KeyId key);
    // The direct subkeys, ordered by their upper-case names as the registry lists them.
    std::vector<SubkeyEntry> subkeys(KeyId key);
    // The key's values in the order of their first creation (replacing a value keeps its place).
    std::vector<RawValue> values(KeyId key);

    std::optional<RawValue> readValue(KeyId key, std::string_view name);
    // Creates or replaces a value. False when the key no longer exists, the name is not a valid
    // value name (KeyPath.h), or a string value (valuetype::String) is not valid UTF-8: whatever
    // is stored can be exported again.
    bool setValue(KeyId key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data);
    // False when there was no such value.
    bool deleteValue(KeyId key, std::string_view name);
    // Deletes the key with every key below it and all their values. False for a root or a key
    // that no longer exists.
    bool deleteKeyTree(KeyId key);

    // Runs `body` as one all-or-nothing change: when it returns, everything it changed is
    // committed together; when it throws, nothing of it stays and the exception passes on.
    // Calls may nest; only the outermost one commits.
    void transaction(const std::function<void()>& body);
    // Runs `body`, which only reads, on one consistent state of the store: no change of another
    // connection is seen half-made. Such changes wait to commit until it ends; it takes no write
    // lock, so a long change of another process does not hold it up.
    void readTransaction(const std::function<void()>& body);

    class Batch;

private:
    struct Statements;
    class WriteScope;

    // A batch waiting for its first change takes the write lock now.
    void beginPendingBatch();

    StoreDatabase(std::filesystem::path path, sqlite3* db, StoreFileLock lock);
    // How far below its root a live key lies.
    KeyPlace placeOf(KeyId key);

    std::filesystem::path path_;
    // Held shared for the connection's lifetime (StoreFileLock.h); let go after the connection.
    std::unique_ptr<StoreFileLock> lock_;
    sqlite3* db_ = nullptr;
    std::unique_ptr<Statements> statements_;
    KeyId roots_[2] = {0, 0};
    int transactionDepth_ = 0;
    bool reading_ = false;
    // Batches that share one transaction (see Batch): how many live, whether their transaction
    // has begun, and whether one of the inner ones ended without commit().
    int batchDepth_ = 0;
    bool batchBegun_ = false;
    bool batchFailed_ = false;
};

// The changes made on a connection while a batch lives, by whatever code, are one all-or-nothing
// change: commit() makes them durable together, with one sync to disk instead of one per change.
// A batch that ends without commit(), or whose commit() fails, leaves none of them. The write lock
// is taken at the first change, so a batch that changes nothing waits for no other process and
// reads before the first change see each change of another process as it is committed.
//
// Batches nest: one made while another lives joins it, and only the outermost commits. An inner
// batch that ends without commit() (an error passed through it) makes the outermost undo
// everything: its commit() throws. A batch made inside transaction() is undone on its own when
// it ends without commit().
class StoreDatabase::Batch {
public:
    explicit Batch(StoreDatabase& store);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // Throws StoreDatabaseError when the changes could not be made durable; none of them stays.
    void commit();

private:
    StoreDatabase& store_;
    // Inside transaction(): the batch is a savepoint of it.
    std::unique_ptr<WriteScope> savepoint_;
    bool outermost_ = false;
    bool ended_ = false;
};

} // namespace tickwell
