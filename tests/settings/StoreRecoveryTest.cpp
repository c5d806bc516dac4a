// A store file that is not a store, or is damaged, is moved aside with its bytes intact and a
// fresh store starts; a folder that cannot be written gives the store's own errors.

#include "StoreTestSupport.h"

#include <fstream>
#include <iterator>
#include <regex>
#include <sqlite3.h>
#include <unistd.h>

using tickwell::Root;
using tickwell::StoreDatabase;

namespace {

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A real store with enough values to span many pages, closed so that all of it is in the file.
void makeStore(const std::filesystem::path& file) {
    auto db = StoreDatabase::openFile(file);
    SettingsStore store(db);
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
    for (int i = 0; i < 300; ++i) {
        store.writeString("value" + std::to_string(i), std::string(200, 'x'));
    }
}

class StoreRecovery : public ::testing::Test {
protected:
    void SetUp() override { tickwell::takeStoreRecoveryNotice(); }

    // Opens the store at `file`, expects it to have been moved aside with `bytes`, and a
    // fresh, working store in its place. Returns the path it was moved to.
    std::filesystem::path expectMovedAsideAndFresh(const std::string& bytes) {
        auto db = StoreDatabase::openFile(file);
        const auto notice = tickwell::takeStoreRecoveryNotice();
        EXPECT_TRUE(notice);
        if (!notice) {
            return {};
        }
        EXPECT_EQ(notice->originalPath, file);
        EXPECT_EQ(notice->movedToPath.parent_path(), folder.path());
        EXPECT_TRUE(std::regex_match(notice->movedToPath.filename().string(),
                                     std::regex(R"(settings\.db\.damaged-\d{8}-\d{6}(-\d+)?)")))
            << notice->movedToPath;
        EXPECT_LE(std::chrono::system_clock::now() - notice->when, std::chrono::minutes(5));
        EXPECT_EQ(readFile(notice->movedToPath), bytes) << "the damaged file keeps its bytes";
        EXPECT_EQ(permissionsOf(notice->movedToPath), 0600u) << "and is the owner's alone";
        EXPECT_FALSE(tickwell::takeStoreRecoveryNotice()) << "the notice is handed out once";

        SettingsStore store(db);
        EXPECT_FALSE(store.keyExists("\\SOFTWARE")) << "the fresh store is empty";
        EXPECT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
        store.writeInteger("imgCounter", 1);
        EXPECT_EQ(store.readInteger("imgCounter"), 1);
        return notice->movedToPath;
    }

    TempFolder folder;
    std::filesystem::path file = folder / "settings.db";
};

} // namespace

TEST_F(StoreRecovery, GarbageIsMovedAside) {
    for (const std::string& garbage : {std::string("this is not a database\n"),
                                       std::string("SQLite format 3"), std::string(5000, '\xAB')}) {
        writeFile(file, garbage);
        const auto moved = expectMovedAsideAndFresh(garbage);
        std::filesystem::remove(moved);
        std::filesystem::remove(file);
    }
}

TEST_F(StoreRecovery, CorruptedDatabaseIsMovedAside) {
    makeStore(file);
    std::string bytes = readFile(file);
    ASSERT_GT(bytes.size(), 3 * 4096u);
    // Wreck the second page: the first b-tree page after the schema.
    for (std::size_t i = 4096; i < 4096 + 512; ++i) {
        bytes[i] = static_cast<char>(0x5A);
    }
    writeFile(file, bytes);
    expectMovedAsideAndFresh(bytes);
}

TEST_F(StoreRecovery, TruncatedDatabaseIsMovedAside) {
    makeStore(file);
    const std::string bytes = readFile(file);
    const std::string truncated = bytes.substr(0, bytes.size() / 2);
    writeFile(file, truncated);
    expectMovedAsideAndFresh(truncated);
}

TEST_F(StoreRecovery, CompanionFilesMoveWithTheDamagedFile) {
    writeFile(file, "garbage");
    const std::string wal = "write-ahead log bytes";
    writeFile(folder / "settings.db-wal", wal);
    const auto moved = expectMovedAsideAndFresh("garbage");
    auto movedWal = moved;
    movedWal += "-wal";
    EXPECT_EQ(readFile(movedWal), wal);
}

TEST_F(StoreRecovery, SoundAndEmptyFilesAreKept) {
    writeFile(file, "");
    StoreDatabase::openFile(file);
    EXPECT_FALSE(tickwell::takeStoreRecoveryNotice()) << "an empty file becomes the store";

    {
        SettingsStore store(StoreDatabase::openFile(file));
        ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
        store.writeInteger("imgCounter", 4);
    }
    SettingsStore store(StoreDatabase::openFile(file));
    EXPECT_FALSE(tickwell::takeStoreRecoveryNotice());
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", false));
    EXPECT_EQ(store.readInteger("imgCounter"), 4);
}

// Sound databases that are not this version's store: refused, never moved or changed.
TEST_F(StoreRecovery, ASoundDatabaseThatIsNotOursIsRefusedAndLeftAsItIs) {
    const struct {
        const char* name;
        const char* sql;
        const char* reasonPart;
    } cases[] = {
        {"another program's", "CREATE TABLE notes(t TEXT); INSERT INTO notes VALUES('mine');",
         "another program's database"},
        {"a newer version's", nullptr, "newer version"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(file);
        if (c.sql == nullptr) {
            StoreDatabase::openFile(file);
        }
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &raw), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(raw, c.sql ? c.sql : "PRAGMA user_version = 99", nullptr, nullptr,
                               nullptr),
                  SQLITE_OK);
        sqlite3_close(raw);
        const std::string before = readFile(file);
        try {
            StoreDatabase::openFile(file);
            ADD_FAILURE() << "opened";
        } catch (const tickwell::StoreDatabaseError& error) {
            EXPECT_NE(std::string(error.what()).find(c.reasonPart), std::string::npos)
                << error.what();
        }
        EXPECT_FALSE(tickwell::takeStoreRecoveryNotice());
        EXPECT_EQ(readFile(file), before) << "the file was left as it was";
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            EXPECT_EQ(entry.path().filename().string().find("damaged"), std::string::npos)
                << "nothing was moved aside: " << entry.path();
        }
    }
}

TEST_F(StoreRecovery, ADamagedStoreThatAnotherConnectionHasOpenIsNotMovedAside) {
    auto inUse = StoreDatabase::openFile(file);
    {
        SettingsStore store(inUse);
        ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
        store.writeInteger("imgCounter", 1);
    }
    // The file is wrecked under the open connection, as a failing disk might do it.
    const std::string wrecked(8192, '\x5A');
    writeFile(file, wrecked);

    EXPECT_THROW(StoreDatabase::openFile(file), tickwell::StoreDatabaseError);
    EXPECT_FALSE(tickwell::takeStoreRecoveryNotice());
    EXPECT_EQ(readFile(file), wrecked) << "left where the open connection writes";

    // Once that connection is gone (folding its log into the file as it closes), a damaged file
    // is recovered again.
    inUse.reset();
    writeFile(file, wrecked);
    expectMovedAsideAndFresh(wrecked);
}

TEST_F(StoreRecovery, TheUsersStoreIsRecoveredThroughTheAccessor) {
    writeFile(file, "not a store");
    ScopedConfigFolder config(folder.path());
    SettingsStore store;
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
    store.writeBool("imagesEnabled", true);
    const auto notice = tickwell::takeStoreRecoveryNotice();
    ASSERT_TRUE(notice);
    EXPECT_EQ(readFile(notice->movedToPath), "not a store");
}

TEST(StoreUnwritableFolder, GivesTheStoresOwnErrors) {
    TempFolder folder;
    writeFile(folder / "plain-file", "x");
    std::vector<std::filesystem::path> unwritable{folder / "plain-file" / "tickwell"};
    // Permissions bind only a user without administrator rights.
    if (geteuid() != 0) {
        std::filesystem::create_directory(folder / "locked");
        std::filesystem::permissions(folder / "locked", std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_exec);
        unwritable.push_back(folder / "locked");
    }
    for (const auto& place : unwritable) {
        EXPECT_THROW(StoreDatabase::openFile(place / "settings.db"), tickwell::StoreDatabaseError);

        ScopedConfigFolder config(place);
        SettingsStore store;
        // A store that cannot be opened is no missing key: every use of it is an error.
        expectStoreError([&] { store.openKey("\\SOFTWARE\\Tickwell2", true); },
                         "Failed to open key '\\SOFTWARE\\Tickwell2'");
        expectStoreError([&] { store.keyExists("\\SOFTWARE"); }, "Failed to open key '\\SOFTWARE'");
        expectStoreError([&] { store.deleteKey("\\SOFTWARE"); },
                         "Failed to set data for '\\SOFTWARE'");
        EXPECT_EQ(store.readString("imagesList"), "") << "no key is open: nothing to read";
        expectStoreError([&] { store.writeInteger("imgCounter", 1); },
                         "Failed to set data for 'imgCounter'");
        expectStoreError([&] { store.readInteger("imgCounter"); },
                         "Failed to get data for 'imgCounter'");
    }
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    std::error_code ec;
    std::filesystem::permissions(folder / "locked", std::filesystem::perms::owner_all, ec);
}
