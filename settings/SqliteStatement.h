#pragma once

// Small helpers around the SQLite C interface for the store's back end: a cached prepared
// statement that is reset after every use, and errors turned into StoreDatabaseError.

#include <cstdint>
#include <span>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <vector>

namespace tickwell::sqlite {

// Throws StoreDatabaseError naming `what` and SQLite's message for the connection.
[[noreturn]] void fail(sqlite3* db, std::string_view what);

// Runs SQL without results (pragmas, transaction control); throws on failure.
void execute(sqlite3* db, const char* sql);

// Whether a COMMIT that just failed had made its change all the same: the journal was removed,
// which commits, and only the sync of the folder after it failed. The change is then in the
// store for every reader, and is acknowledged as such rather than reported as lost.
bool committedBeforeFailing(sqlite3* db);

// A statement prepared once for the connection's lifetime.
class Statement {
public:
    Statement(sqlite3* db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    sqlite3* connection() const { return db_; }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// One use of a cached statement: binds, steps, reads columns, and resets the statement when it
// goes out of scope so that it holds no lock and no stale bindings.
class Use {
public:
    explicit Use(Statement& statement) : stmt_(statement.get()), db_(statement.connection()) {}
    ~Use();
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;

    Use& bind(int index, std::int64_t value);
    Use& bind(int index, std::string_view text);
    Use& bindBlob(int index, std::span<const std::uint8_t> data);

    // True when a row is ready, false when done; throws on failure.
    bool step();
    // Steps to the end of a statement that returns no rows.
    void run();

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::vector<std::uint8_t> blob(int column) const;

private:
    sqlite3_stmt* stmt_;
    sqlite3* db_;
};

} // namespace tickwell::sqlite
