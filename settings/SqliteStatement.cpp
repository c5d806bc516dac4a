#include "settings/SqliteStatement.h"

#include "settings/StoreDatabase.h"

namespace tickwell::sqlite {

void fail(sqlite3* db, std::string_view what) {
    // Another process's change that outlasted the wait is no fault of the store: say so plainly.
    if (db && (sqlite3_extended_errcode(db) & 0xFF) == SQLITE_BUSY) {
        throw StoreDatabaseError("settings store: another process is changing the store and did "
                                 "not finish in time; try again");
    }
    std::string message = "settings store: ";
    message += what;
    message += ": ";
    message += db ? sqlite3_errmsg(db) : "out of memory";
    throw StoreDatabaseError(message);
}

void execute(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail(db, sql);
    }
}

bool committedBeforeFailing(sqlite3* db) {
    return sqlite3_extended_errcode(db) == SQLITE_IOERR_DIR_FSYNC && sqlite3_get_autocommit(db);
}

Statement::Statement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK) {
        fail(db, "preparing a statement");
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Use::~Use() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

Use& Use::bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) {
        fail(db_, "binding a number");
    }
    return *this;
}

Use& Use::bind(int index, std::string_view text) {
    // A null pointer would bind NULL; an empty text must stay an empty text.
    const char* data = text.empty() ? "" : text.data();
    if (sqlite3_bind_text(stmt_, index, data, static_cast<int>(text.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK) {
        fail(db_, "binding a text");
    }
    return *this;
}

Use& Use::bindBlob(int index, std::span<const std::uint8_t> data) {
    // A null pointer would bind NULL; no data must stay an empty blob.
    const int rc = data.empty()
                       ? sqlite3_bind_zeroblob(stmt_, index, 0)
                       : sqlite3_bind_blob(stmt_, index, data.data(), static_cast<int>(data.size()),
                                           SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) {
        fail(db_, "binding data");
    }
    return *this;
}

bool Use::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    fail(db_, sqlite3_sql(stmt_));
}

void Use::run() {
    while (step()) {
    }
}

std::int64_t Use::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::string Use::text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    const int n = sqlite3_column_bytes(stmt_, column);
    return p ? std::string(p, static_cast<std::size_t>(n)) : std::string();
}

std::vector<std::uint8_t> Use::blob(int column) const {
    const auto* p = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
    const int n = sqlite3_column_bytes(stmt_, column);
    return p ? std::vector<std::uint8_t>(p, p + n) : std::vector<std::uint8_t>();
}

} // namespace tickwell::sqlite
