#include "OldStoreKeys.h"

#include "settings/NameFold.h"

#include <sqlite3.h>
#include <stdexcept>

void addOldKeyChain(const std::filesystem::path& file, tickwell::Root root, const std::string& name,
                    int depth) {
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file.string());
    }
    const std::string fold = tickwell::foldName(name);
    const char* rootName =
        root == tickwell::Root::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    sqlite3_stmt* insert = nullptr;
    sqlite3_busy_timeout(db, 10000);
    bool ok =
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db,
                           "INSERT INTO keys(parent, name, fold) VALUES(coalesce(?1, "
                           "(SELECT id FROM keys WHERE parent IS NULL AND fold = ?4)), ?2, ?3)",
                           -1, &insert, nullptr) == SQLITE_OK;
    sqlite3_int64 parent = 0;
    for (int i = 0; ok && i < depth; ++i) {
        if (i == 0) {
            sqlite3_bind_null(insert, 1);
        } else {
            sqlite3_bind_int64(insert, 1, parent);
        }
        sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, fold.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, rootName, -1, SQLITE_STATIC);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
        parent = sqlite3_last_insert_rowid(db);
    }
    sqlite3_finalize(insert);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (!ok) {
        throw std::runtime_error("cannot add the old keys to " + file.string());
    }
}
