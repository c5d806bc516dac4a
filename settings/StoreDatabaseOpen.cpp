// Opening a store file: create it when missing, recognise a file that is not a store or is
// damaged and move it aside, and make sure the schema and both roots exist.

#include "settings/PrivateFiles.h"
#include "settings/SqliteStatement.h"
#include "settings/StoreDatabase.h"
#include "settings/StoreFileLock.h"
#include "settings/StoreRecovery.h"

#include <array>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <utility>

namespace tickwell {

namespace {

// Marks a database as a Tickwell settings store ("Tkwl").
constexpr std::int64_t storeApplicationId = 0x546B776C;
constexpr std::int64_t storeSchemaVersion = 1;

const char* const schemaSql =
    "CREATE TABLE IF NOT EXISTS keys("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " parent INTEGER,"
    " name TEXT NOT NULL,"
    " fold TEXT NOT NULL);"
    "CREATE UNIQUE INDEX IF NOT EXISTS keys_by_parent ON keys(parent, fold);"
    "CREATE TABLE IF NOT EXISTS vals("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " key INTEGER NOT NULL,"
    " name TEXT NOT NULL,"
    " fold TEXT NOT NULL,"
    " type INTEGER NOT NULL,"
    " data BLOB NOT NULL,"
    " UNIQUE(key, fold));"
    "INSERT INTO keys(parent, name, fold) VALUES(NULL, 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE');"
    "INSERT INTO keys(parent, name, fold) VALUES(NULL, 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER');"
    "PRAGMA user_version = 1;"
    "PRAGMA application_id = 1416329068;";
static_assert(storeApplicationId == 1416329068);

class Connection {
public:
    Connection(const std::filesystem::path& file, std::chrono::milliseconds busyWait) {
        const int rc = sqlite3_open_v2(file.c_str(), &db_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (rc != SQLITE_OK) {
            std::string message = "settings store: cannot open " + file.string() + ": " +
                                  (db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
            sqlite3_close(db_);
            throw StoreDatabaseError(message);
        }
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, static_cast<int>(busyWait.count()));
    }
    ~Connection() { sqlite3_close(db_); }
    Connection(Connection&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* get() const { return db_; }
    sqlite3* release() { return std::exchange(db_, nullptr); }

private:
    sqlite3* db_ = nullptr;
};

enum class FileState { Usable, Damaged };

// How long opening waits for another process that recovers the store, or that has a damaged
// store open, before it gives up.
constexpr std::chrono::seconds recoveryWait{3};

bool isDamageCode(int rc) {
    const int primary = rc & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

// A non-empty file must begin with SQLite's header; anything else is not a store. An empty or
// missing file becomes a fresh store.
bool hasForeignHeader(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size == 0) {
        return false;
    }
    static constexpr char magic[16] = "SQLite format 3"; // with its final NUL
    std::array<char, 16> head{};
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false; // unreadable is not damaged: opening it reports the error
    }
    in.read(head.data(), head.size());
    if (in.gcount() != static_cast<std::streamsize>(head.size())) {
        return true;
    }
    return std::memcmp(head.data(), magic, sizeof magic) != 0;
}

// The integer a query returns (0 when it returns no row); nothing when reading shows the file
// to be damaged.
std::optional<std::int64_t> queryInteger(sqlite3* db, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    std::optional<std::int64_t> result;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            result = sqlite3_column_int64(stmt, 0);
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        if (isDamageCode(rc)) {
            return std::nullopt;
        }
        sqlite::fail(db, sql);
    }
    return result ? result : std::optional<std::int64_t>(0);
}

// SQLite's own quick check of the file's structure.
bool passesQuickCheck(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &stmt, nullptr);
    bool ok = rc == SQLITE_OK;
    while (ok && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const auto* line = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        ok = line && std::strcmp(line, "ok") == 0;
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        if (isDamageCode(rc)) {
            return false;
        }
        sqlite::fail(db, "checking the store file");
    }
    return ok;
}

FileState examine(sqlite3* db) {
    if (!passesQuickCheck(db)) {
        return FileState::Damaged;
    }
    // Another process may be creating the schema of a new store meanwhile, which it commits
    // together with the application id. Read in this order, a store's tables are never seen
    // without its id: an empty file read first and a store read after is still ours.
    const auto tables = queryInteger(db, "SELECT count(*) FROM sqlite_master");
    const auto applicationId = queryInteger(db, "PRAGMA application_id");
    const auto version = queryInteger(db, "PRAGMA user_version");
    if (!applicationId || !version || !tables) {
        return FileState::Damaged;
    }
    if (*applicationId == storeApplicationId) {
        if (*version > storeSchemaVersion) {
            throw StoreDatabaseError("settings store: the file was made by a newer version of "
                                     "the program");
        }
        return FileState::Usable;
    }
    // An empty database becomes a new store; another program's is not ours to change, nor to
    // move away.
    if (*applicationId == 0 && *tables == 0) {
        return FileState::Usable;
    }
    throw StoreDatabaseError("settings store: the file is another program's database; it was "
                             "left as it is");
}

// A store in use has its schema: opening it then reads and never waits for the write lock, which
// another process may hold for as long as a large import takes.
void createSchemaIfMissing(sqlite3* db) {
    if (queryInteger(db, "PRAGMA application_id").value_or(0) == storeApplicationId) {
        return;
    }
    sqlite::execute(db, "BEGIN IMMEDIATE");
    try {
        // Another process may have created it since it was looked for.
        if (queryInteger(db, "PRAGMA application_id").value_or(0) != storeApplicationId) {
            sqlite::execute(db, schemaSql);
        }
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK &&
            !sqlite::committedBeforeFailing(db)) {
            sqlite::fail(db, "COMMIT");
        }
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

// Each change is committed through a rollback journal, and the journal's removal, which makes
// the commit, is synced before the call returns. Whatever fails before that point (a write, a
// sync, a full disk, a kill) leaves the journal behind, and the next opening undoes the change
// with it, so that the store holds exactly the changes that were acknowledged. (With a
// write-ahead log, a change whose final sync failed stayed in the log, complete, and came back
// when the store was next opened.) A file kept with a log by an older version is switched when no
// other connection has it open. A large change keeps its pages in memory until it commits, so
// that readers are held up only while the pages are written, not for the whole change.
void useRollbackJournal(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    bool deleteMode = false;
    if (sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        const auto* mode = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        deleteMode = mode && std::strcmp(mode, "delete") == 0;
    }
    sqlite3_finalize(stmt);
    if (!deleteMode) {
        // Another connection on a log keeps it; this one then uses the log too until a later
        // opening finds the file free.
        sqlite3_exec(db, "PRAGMA journal_mode = DELETE", nullptr, nullptr, nullptr);
    }
    sqlite::execute(db, "PRAGMA synchronous = EXTRA");
    sqlite::execute(db, "PRAGMA cache_spill = OFF");
}

// The file's identity, to see whether another process has moved it aside meanwhile; 0 when it
// does not exist.
ino_t identityOf(const std::filesystem::path& file) {
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 ? info.st_ino : 0;
}

// An open connection to a file that examined usable, or nothing when the file is damaged.
std::optional<Connection> openExamined(const std::filesystem::path& file,
                                       std::chrono::milliseconds busyWait) {
    if (hasForeignHeader(file)) {
        return std::nullopt;
    }
    Connection connection(file, busyWait);
    // Until the file is known to be sound, closing must not fold a write-ahead log (of an older
    // version) into it: a damaged file is moved aside with the bytes it had.
    sqlite3_db_config(connection.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    if (examine(connection.get()) == FileState::Damaged) {
        return std::nullopt;
    }
    sqlite3_db_config(connection.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    return connection;
}

// The store's files are the owner's alone from the moment they exist: the file is made before
// SQLite opens it, which gives its journal the same rights; files of an older version (its
// write-ahead log and index among them) lose the rights of group and others.
void makeStoreFilesPrivate(const std::filesystem::path& file) {
    try {
        makeFilePrivate(file, WhenMissing::Create);
        for (const char* companion : {"-wal", "-shm"}) {
            std::filesystem::path other = file;
            other += companion;
            makeFilePrivate(other, WhenMissing::Skip);
        }
    } catch (const PrivateFileError& error) {
        throw StoreDatabaseError(std::string("settings store: ") + error.what());
    }
}

[[noreturn]] void failStaysDamaged(const std::filesystem::path& file) {
    throw StoreDatabaseError("settings store: " + file.string() + " stays damaged");
}

} // namespace

std::shared_ptr<StoreDatabase> StoreDatabase::openFile(const std::filesystem::path& file,
                                                       std::chrono::milliseconds busyWait) {
    try {
        if (file.has_parent_path()) {
            createPrivateFolders(file.parent_path());
        }
    } catch (const PrivateFileError& error) {
        throw StoreDatabaseError(std::string("settings store: ") + error.what());
    }
    StoreFileLock lock(StoreFileLock::besideStore(file));
    const auto deadline = std::chrono::steady_clock::now() + recoveryWait;
    bool movedAside = false;
    while (true) {
        if (!lock.shareUntil(deadline)) {
            throw StoreDatabaseError("settings store: another process is recovering " +
                                     file.string() + " and did not finish in time");
        }
        makeStoreFilesPrivate(file);
        const ino_t examined = identityOf(file);
        if (auto connection = openExamined(file, busyWait)) {
            useRollbackJournal(connection->get());
            createSchemaIfMissing(connection->get());
            return std::shared_ptr<StoreDatabase>(
                new StoreDatabase(file, connection->release(), std::move(lock)));
        }
        if (movedAside) {
            failStaysDamaged(file);
        }
        // Damaged. Only with every other connection gone may the file move: one that is open
        // would go on writing into the moved file, and its writes would be lost to the store.
        lock.release();
        while (true) {
            if (lock.tryExclusive()) {
                if (!openExamined(file, busyWait)) {
                    moveDamagedFileAside(file);
                    movedAside = true;
                }
                lock.release();
                break;
            }
            if (identityOf(file) != examined) {
                break; // another process moved it aside and started afresh
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                throw StoreDatabaseError("settings store: " + file.string() +
                                         " is damaged, but another process has it open; it was "
                                         "left as it is");
            }
            std::this_thread::sleep_for(lockRetryPause);
        }
    }
}

} // namespace tickwell
