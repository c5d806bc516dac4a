#include "StoreTestSupport.h"
#include "settings/Layout.h"

#include <climits>
#include <sqlite3.h>

using tickwell::Root;
using tickwell::StoreDatabase;
namespace valuetype = tickwell::valuetype;

// --- values: missing, round trips, types ---------------------------------------------------------

using SettingsStoreValues = FreshStore;

TEST_F(SettingsStoreValues, MissingValuesReadAsEmptyStringOrFail) {
    // No key open at all.
    EXPECT_EQ(store.readString("imagesList"), "");
    EXPECT_FALSE(store.valueExists("imagesList"));
    expectStoreError([&] { store.readInteger("imagesTimeout"); },
                     "Failed to get data for 'imagesTimeout'");

    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
    EXPECT_EQ(store.readString("imagesList"), "");
    EXPECT_FALSE(store.valueExists("imagesList"));
    expectStoreError([&] { store.readInteger("imagesTimeout"); },
                     "Failed to get data for 'imagesTimeout'");
    expectStoreError([&] { store.readBool("imagesEnabled"); },
                     "Failed to get data for 'imagesEnabled'");
    expectStoreError([&] { store.readDate("date"); }, "Failed to get data for 'date'");
}

TEST_F(SettingsStoreValues, ValuesReadBackAsWritten) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Notifications\\notice1", true));
    store.writeString("text", "Перерыв!\r\nВстать и размяться");
    store.writeString("name", "");
    store.writeInteger("interval", 86400);
    store.writeInteger("min", INT32_MIN);
    store.writeInteger("max", INT32_MAX);
    store.writeDate("date", 46000.0);
    store.writeDate("stamp", 46000.75);

    EXPECT_EQ(store.readString("text"), "Перерыв!\r\nВстать и размяться");
    EXPECT_TRUE(store.valueExists("name")) << "an empty string is a value that exists";
    EXPECT_EQ(store.readString("name"), "");
    EXPECT_EQ(store.readInteger("interval"), 86400);
    EXPECT_EQ(store.readInteger("min"), INT32_MIN);
    EXPECT_EQ(store.readInteger("max"), INT32_MAX);
    EXPECT_EQ(store.readDate("date"), 46000.0);
    EXPECT_EQ(store.readDate("stamp"), 46000.75);

    store.writeInteger("interval", 5);
    EXPECT_EQ(store.readInteger("interval"), 5);
}

TEST_F(SettingsStoreValues, StoredBytesFollowTheRegistryFormats) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
    store.writeInteger("noticeBackgroundColor", 0xFFFF00);
    store.writeDate("date", 2.5); // 0x4004000000000000
    store.writeString("imagesList", "a\0b");

    const auto k = key("SOFTWARE\\Tickwell2");
    const auto colour = db->readValue(k, "noticeBackgroundColor");
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->type, valuetype::Dword);
    EXPECT_EQ(colour->data, (std::vector<std::uint8_t>{0x00, 0xFF, 0xFF, 0x00}));
    const auto date = db->readValue(k, "date");
    ASSERT_TRUE(date);
    EXPECT_EQ(date->type, valuetype::Binary);
    EXPECT_EQ(date->data, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0x04, 0x40}));
    // A string ends at its first NUL, as a registry string does.
    const auto list = db->readValue(k, "imagesList");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->type, valuetype::String);
    EXPECT_EQ(list->data, (std::vector<std::uint8_t>{'a'}));
}

TEST_F(SettingsStoreValues, BooleansAreIntegersAndAnyNonZeroIsTrue) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
    store.writeBool("imagesEnabled", true);
    EXPECT_EQ(store.readInteger("imagesEnabled"), 1);
    EXPECT_TRUE(store.readBool("imagesEnabled"));
    store.writeBool("imagesEnabled", false);
    EXPECT_EQ(store.readInteger("imagesEnabled"), 0);
    EXPECT_FALSE(store.readBool("imagesEnabled"));
    for (std::int32_t v : {2, -1, INT32_MIN}) {
        store.writeInteger("imagesEnabled", v);
        EXPECT_TRUE(store.readBool("imagesEnabled")) << v;
    }
}

TEST_F(SettingsStoreValues, WrongTypeOrSizeIsInvalidDataType) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Tasks\\task1", true));
    const auto path = "SOFTWARE\\Tickwell2\\Tasks\\task1";
    writeRaw(path, "date", valuetype::Binary, {0, 0, 0x80, 0x3F});
    expectStoreError([&] { store.readDate("date"); }, "Invalid data type for 'date'");
    store.writeInteger("date", 46000);
    expectStoreError([&] { store.readDate("date"); }, "Invalid data type for 'date'");
    writeRaw(path, "date", valuetype::Binary, std::vector<std::uint8_t>(9, 0));
    expectStoreError([&] { store.readDate("date"); }, "Invalid data type for 'date'");

    store.writeString("complete", "1");
    expectStoreError([&] { store.readBool("complete"); }, "Invalid data type for 'complete'");
    expectStoreError([&] { store.readInteger("complete"); }, "Invalid data type for 'complete'");
    writeRaw(path, "daily", valuetype::Dword, {1, 0, 0, 0, 0, 0, 0, 0});
    expectStoreError([&] { store.readBool("daily"); }, "Invalid data type for 'daily'");
    writeRaw(path, "daily", valuetype::Binary, {1, 0, 0, 0});
    expectStoreError([&] { store.readBool("daily"); }, "Invalid data type for 'daily'");

    store.writeInteger("name", 3);
    expectStoreError([&] { store.readString("name"); }, "Invalid data type for 'name'");
    store.writeDate("text", 1.0);
    expectStoreError([&] { store.readString("text"); }, "Invalid data type for 'text'");
    // The registry's expandable string is a string too.
    writeRaw(path, "text", 2, {'%', 'X', '%'});
    EXPECT_EQ(store.readString("text"), "%X%");
}

TEST_F(SettingsStoreValues, DeleteValueRemovesOnlyThatValue) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
    store.writeInteger("imagesTimeout", 30);
    store.writeInteger("imgCounter", 2);
    EXPECT_TRUE(store.deleteValue("IMAGESTIMEOUT"));
    EXPECT_FALSE(store.valueExists("imagesTimeout"));
    EXPECT_FALSE(store.deleteValue("imagesTimeout"));
    EXPECT_EQ(store.readInteger("imgCounter"), 2);
    store.closeKey();
    EXPECT_FALSE(store.deleteValue("imgCounter"));
}

TEST_F(SettingsStoreValues, WritesWithoutAnOpenKeyAreRefused) {
    expectStoreError([&] { store.writeString("imagesList", ""); },
                     "Failed to set data for 'imagesList'");
    expectStoreError([&] { store.writeInteger("imgCounter", 1); },
                     "Failed to set data for 'imgCounter'");
    expectStoreError([&] { store.writeBool("once", true); }, "Failed to set data for 'once'");
    expectStoreError([&] { store.writeDate("date", 1.0); }, "Failed to set data for 'date'");
}

// --- keys: opening, paths, roots, deleting ------------------------------------------------------

using SettingsStoreKeys = FreshStore;

TEST_F(SettingsStoreKeys, FailedOpenKeepsThePreviousKeyCurrent) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Tasks", true));
    store.writeInteger("tasksCounter", 4);
    EXPECT_FALSE(store.openKey("\\SOFTWARE\\Tickwell2\\Missing", false));
    EXPECT_FALSE(store.keyExists("\\SOFTWARE\\Tickwell2\\Missing")) << "nothing was created";
    EXPECT_FALSE(store.openKey("A\\\\B", true)) << "an empty component is refused";
    EXPECT_EQ(store.currentPath(), "SOFTWARE\\Tickwell2\\Tasks");
    EXPECT_EQ(store.readInteger("tasksCounter"), 4);
    store.writeInteger("taskNumber", 1);
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Tasks", false));
    EXPECT_EQ(store.readInteger("taskNumber"), 1);
}

TEST_F(SettingsStoreKeys, RelativeOpenNestsBelowTheCurrentKey) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Tasks\\task2", true));
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Tasks\\task1", true));
    EXPECT_FALSE(store.openKey("task2", false)) << "task2 is beside task1, not below it";
    EXPECT_EQ(store.currentPath(), "SOFTWARE\\Tickwell2\\Tasks\\task1");

    ASSERT_TRUE(store.openKey("task2", true));
    EXPECT_EQ(store.currentPath(), "SOFTWARE\\Tickwell2\\Tasks\\task1\\task2");
    EXPECT_TRUE(store.keyExists("\\SOFTWARE\\Tickwell2\\Tasks\\task1\\task2"));
}

TEST_F(SettingsStoreKeys, AfterCloseARelativePathStartsAtTheRoot) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Notifications", true));
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", false));
    store.closeKey();
    EXPECT_FALSE(store.hasCurrentKey());
    EXPECT_EQ(store.currentPath(), "");
    EXPECT_FALSE(store.openKey("Notifications", false)) << "there is no \\Notifications";
    EXPECT_FALSE(store.hasCurrentKey());

    ASSERT_TRUE(store.openKey("Notifications", true));
    EXPECT_EQ(store.currentPath(), "Notifications");
    store.writeInteger("marker", 1);
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Notifications", false));
    EXPECT_FALSE(store.valueExists("marker"));
}

TEST_F(SettingsStoreKeys, CurrentPathFollowsTheOpenedPaths) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\", true));
    EXPECT_EQ(store.currentPath(), "SOFTWARE\\Tickwell2") << "a trailing separator is dropped";
    ASSERT_TRUE(store.openKey("Tasks\\task1", true));
    EXPECT_EQ(store.currentPath(), "SOFTWARE\\Tickwell2\\Tasks\\task1");
    ASSERT_TRUE(store.openKey("", false)) << "an empty path is the current key itself";
    EXPECT_EQ(store.currentPath(), "SOFTWARE\\Tickwell2\\Tasks\\task1");
    ASSERT_TRUE(store.openKey("\\", false));
    EXPECT_EQ(store.currentPath(), "");
    EXPECT_TRUE(store.hasCurrentKey()) << "the root itself is open";
    ASSERT_TRUE(store.openKey("SOFTWARE", false));
    EXPECT_EQ(store.currentPath(), "SOFTWARE");
}

TEST_F(SettingsStoreKeys, KeyExistsResolvesLikeOpenAndLeavesTheCurrentKey) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Tasks\\task1", true));
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Tasks", false));
    EXPECT_TRUE(store.keyExists("task1"));
    EXPECT_TRUE(store.keyExists("TASK1"));
    EXPECT_FALSE(store.keyExists("Tasks"));
    EXPECT_TRUE(store.keyExists("\\SOFTWARE\\Tickwell2\\Tasks"));
    EXPECT_EQ(store.currentPath(), "SOFTWARE\\Tickwell2\\Tasks");
}

TEST_F(SettingsStoreKeys, RootsAreSeparateAndChangingRootClosesTheKey) {
    ASSERT_TRUE(store.openKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", true));
    store.setRoot(Root::LocalMachine);
    EXPECT_TRUE(store.hasCurrentKey()) << "setting the same root keeps the key";

    store.setRoot(Root::CurrentUser);
    EXPECT_FALSE(store.hasCurrentKey());
    EXPECT_FALSE(store.keyExists("\\Software\\Microsoft"));
    ASSERT_TRUE(store.openKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", true));
    store.writeString("Tickwell2", "/usr/bin/tickwell");

    store.setRoot(Root::LocalMachine);
    ASSERT_TRUE(store.openKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", false));
    EXPECT_FALSE(store.valueExists("Tickwell2"));
}

TEST_F(SettingsStoreKeys, DeleteKeyRemovesEverythingBelowIt) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell\\Options\\Deep", true));
    store.writeInteger("x", 1);
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell", false));
    store.writeString("old", "v1");
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
    store.writeInteger("imgCounter", 3);

    ASSERT_TRUE(store.openKey("\\SOFTWARE", false));
    EXPECT_TRUE(store.deleteKey("Tickwell"));
    EXPECT_EQ(store.currentPath(), "SOFTWARE") << "the current key does not change";
    EXPECT_FALSE(store.keyExists("\\SOFTWARE\\Tickwell"));
    EXPECT_FALSE(store.keyExists("\\SOFTWARE\\Tickwell\\Options\\Deep"));
    EXPECT_FALSE(store.deleteKey("Tickwell")) << "already gone";

    // Recreating the path finds none of the old values: they went with the key.
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell\\Options\\Deep", true));
    EXPECT_FALSE(store.valueExists("x"));
    // A key whose name merely starts the same is untouched.
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", false));
    EXPECT_EQ(store.readInteger("imgCounter"), 3);
}

TEST_F(SettingsStoreKeys, DeleteKeyRefusesTheRootAndTheKeyItself) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
    EXPECT_FALSE(store.deleteKey(""));
    EXPECT_FALSE(store.deleteKey("\\"));
    EXPECT_TRUE(store.keyExists("\\SOFTWARE\\Tickwell2"));
}

// --- names: letter case and length limits -------------------------------------------------------

using SettingsStoreNames = FreshStore;

TEST_F(SettingsStoreNames, NamesCompareWithoutCaseAndKeepTheirFirstCase) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Tasks", true));
    ASSERT_TRUE(store.openKey("\\software\\TICKWELL2\\tasks", true));
    EXPECT_EQ(db->keyName(key("SOFTWARE\\Tickwell2\\Tasks")), "Tasks");
    EXPECT_EQ(db->subkeys(key("SOFTWARE")).size(), 1u);

    store.writeInteger("tasksCounter", 1);
    store.writeInteger("TASKSCOUNTER", 2);
    EXPECT_EQ(store.readInteger("TasksCounter"), 2);
    const auto values = db->values(key("SOFTWARE\\Tickwell2\\Tasks"));
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "tasksCounter");
}

TEST_F(SettingsStoreNames, CyrillicAndOtherScriptsFold) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Задачи", true));
    EXPECT_TRUE(store.keyExists("\\software\\ЗАДАЧИ"));
    store.writeString("Ёлка", "a");
    store.writeString("ёЛКА", "b");
    EXPECT_EQ(store.readString("ЁЛКА"), "b");
    store.writeString("Straße", "c");
    store.writeString("STRASSE", "d");
    EXPECT_EQ(store.readString("Straße"), "c") << "ß has no single upper-case letter";
    store.writeString("Ωμέγα", "e");
    EXPECT_EQ(store.readString("ΩΜΈΓΑ"), "e");
    EXPECT_EQ(db->values(key("SOFTWARE\\Задачи")).size(), 4u);
}

TEST_F(SettingsStoreNames, OverlongNamesAreRefusedAsTheRegistryRefusesThem) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
    const std::string longKey(tickwell::maxKeyNameLength + 1, 'k');
    EXPECT_FALSE(store.openKey(longKey, true));
    EXPECT_FALSE(store.keyExists(longKey));
    EXPECT_EQ(store.currentPath(), "SOFTWARE\\Tickwell2");
    ASSERT_TRUE(store.openKey(std::string(tickwell::maxKeyNameLength, 'k'), true));

    const std::string longValue(tickwell::maxValueNameLength + 1, 'v');
    expectStoreError([&] { store.writeString(longValue, "x"); },
                     "Failed to set data for '" + longValue + "'");
    EXPECT_FALSE(store.valueExists(longValue));
    const std::string longestValue(tickwell::maxValueNameLength, 'v');
    store.writeInteger(longestValue, 7);
    EXPECT_EQ(store.readInteger(longestValue), 7);
}

// --- several accessors --------------------------------------------------------------------------

using SettingsStoreSharing = FreshStore;

TEST_F(SettingsStoreSharing, AWriteIsSeenAtOnceThroughAnotherAccessor) {
    SettingsStore other(db);
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2", true));
    ASSERT_TRUE(other.openKey("\\SOFTWARE\\Tickwell2", false));
    store.writeInteger("imgCounter", 5);
    EXPECT_EQ(other.readInteger("imgCounter"), 5);
    other.writeString("imagesList", "/a.jpg\r\n");
    EXPECT_EQ(store.readString("imagesList"), "/a.jpg\r\n");
}

TEST_F(SettingsStoreSharing, AKeyDeletedWhileOpenStaysDeleted) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Notifications\\notice1", true));
    store.writeString("name", "Обед");
    store.writeInteger("interval", 60);

    SettingsStore other(db);
    ASSERT_TRUE(other.openKey("\\SOFTWARE\\Tickwell2\\Notifications", false));
    ASSERT_TRUE(other.deleteKey("notice1"));

    EXPECT_EQ(store.readString("name"), "");
    EXPECT_FALSE(store.valueExists("interval"));
    expectStoreError([&] { store.readInteger("interval"); }, "Failed to get data for 'interval'");
    expectStoreError([&] { store.writeString("text", "x"); }, "Failed to set data for 'text'");
    EXPECT_FALSE(store.openKey("child", true)) << "nothing is created below a deleted key";
    EXPECT_FALSE(store.keyExists("\\SOFTWARE\\Tickwell2\\Notifications\\notice1"));

    // A new key of the same path is another key: the old accessor does not reach it.
    ASSERT_TRUE(other.openKey("notice1", true));
    other.writeString("name", "Новый");
    EXPECT_EQ(store.readString("name"), "");
    expectStoreError([&] { store.writeBool("once", true); }, "Failed to set data for 'once'");
    EXPECT_FALSE(other.valueExists("once"));

    // Opening the path again reaches the new key.
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Notifications\\notice1", false));
    EXPECT_EQ(store.readString("name"), "Новый");
}

TEST_F(SettingsStoreSharing, AStoreLockedByAnotherProcessFailsWithItsErrorsNotAsMissing) {
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Tasks", true));
    store.writeInteger("tasksCounter", 3);
    // Another connection holds the write lock, as a long import does.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(db->filePath().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    // Opening the store, reading and opening existing keys go on meanwhile; changes wait
    // briefly, as the program's interface thread does.
    const auto waitingDb = StoreDatabase::openFile(db->filePath(), std::chrono::milliseconds(50));
    SettingsStore waiting(waitingDb);
    ASSERT_TRUE(waiting.openKey("\\SOFTWARE\\Tickwell2\\Tasks", false));
    EXPECT_EQ(waiting.readInteger("tasksCounter"), 3);
    EXPECT_TRUE(waiting.openKey("\\SOFTWARE\\Tickwell2", true));
    EXPECT_TRUE(waiting.keyExists("Tasks"));
    // A change fails with the store's error, and the key open before stays open.
    expectStoreError([&] { waiting.openKey("New", true); }, "Failed to open key 'New'");
    EXPECT_EQ(waiting.currentPath(), "SOFTWARE\\Tickwell2");
    expectStoreError([&] { waiting.writeInteger("imgCounter", 1); },
                     "Failed to set data for 'imgCounter'");
    expectStoreError([&] { waiting.deleteKey("Tasks"); }, "Failed to set data for 'Tasks'");
    ASSERT_TRUE(waiting.openKey("Tasks", false));
    expectStoreError([&] { waiting.deleteValue("tasksCounter"); },
                     "Failed to set data for 'tasksCounter'");

    try {
        waitingDb->setValue(key("SOFTWARE"), "x", tickwell::valuetype::Dword, {{1, 0, 0, 0}});
        ADD_FAILURE() << "a change went through a locked store";
    } catch (const tickwell::StoreDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("another process is changing the store"),
                  std::string::npos)
            << error.what();
    }

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(waiting.deleteValue("tasksCounter"));
}

// --- batches ------------------------------------------------------------------------------------

class SettingsStoreBatch : public FreshStore {
protected:
    static constexpr std::string_view tasksKey = "\\SOFTWARE\\Tickwell2\\Tasks";

    void SetUp() override {
        ASSERT_TRUE(store.openKey(tasksKey, true));
        store.writeInteger("a", 1);
    }

    // What another process reads now; nothing for a missing value.
    std::optional<std::int32_t> seenElsewhere(std::string_view name) {
        SettingsStore other(otherProcess);
        if (!other.openKey(tasksKey, false) || !other.valueExists(name)) {
            return std::nullopt;
        }
        return other.readInteger(name);
    }

    // Another process's connection; its changes wait briefly, as the program's do.
    std::shared_ptr<StoreDatabase> otherProcess =
        StoreDatabase::openFile(db->filePath(), std::chrono::milliseconds(50));
};

TEST_F(SettingsStoreBatch, WritesReachOtherProcessesTogetherAtTheCommit) {
    {
        SettingsStore::Batch batch(store);
        store.writeInteger("a", 2);
        store.writeInteger("b", 2);
        SettingsStore sameProgram(db);
        ASSERT_TRUE(sameProgram.openKey(tasksKey, false));
        EXPECT_EQ(sameProgram.readInteger("b"), 2) << "the program sees its own writes at once";
        EXPECT_EQ(seenElsewhere("a"), 1);
        EXPECT_EQ(seenElsewhere("b"), std::nullopt);
        batch.commit();
    }
    EXPECT_EQ(seenElsewhere("a"), 2);
    EXPECT_EQ(seenElsewhere("b"), 2);
}

// An inner batch commits nothing by itself; one left by an error leaves none of the writes of
// the outermost (the disk's faults: StoreFaultTest).
TEST_F(SettingsStoreBatch, NestedBatchesCommitWithTheOutermostAndFailWhole) {
    {
        SettingsStore::Batch outer(store);
        store.writeInteger("a", 2);
        {
            SettingsStore other(db);
            SettingsStore::Batch inner(other);
            ASSERT_TRUE(other.openKey(tasksKey, false));
            other.writeInteger("b", 2);
            inner.commit();
        }
        EXPECT_EQ(seenElsewhere("b"), std::nullopt) << "the inner commit waits for the outer";
        outer.commit();
    }
    EXPECT_EQ(seenElsewhere("b"), 2);

    // An inner batch left by an error that the outer one's code caught.
    expectStoreError(
        [&] {
            SettingsStore::Batch outer(store);
            store.writeInteger("a", 3);
            try {
                SettingsStore::Batch inner(store);
                store.writeInteger("b", 3);
                store.readDate("a");
            } catch (const StoreError&) {
            }
            store.writeInteger("c", 3);
            outer.commit();
        },
        "Failed to set data for 'a'");
    for (const char* name : {"a", "b"}) {
        EXPECT_EQ(store.readInteger(name), 2) << name;
        EXPECT_EQ(seenElsewhere(name), 2) << name;
    }
    EXPECT_FALSE(store.valueExists("c"));
    store.writeInteger("c", 4);
    EXPECT_EQ(seenElsewhere("c"), 4) << "a write after the batch is committed on its own";
}

// Another process that reads keeps the commit from finishing, one that writes keeps the batch
// from its first write: either is the error of a write, and the batch leaves nothing. A batch
// that only reads waits for nobody.
TEST_F(SettingsStoreBatch, AnotherProcessInTheWayFailsTheBatchAsAWriteFails) {
    SettingsStore waiting(otherProcess);
    ASSERT_TRUE(waiting.openKey(tasksKey, false));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(db->filePath().c_str(), &other), SQLITE_OK);
    const auto hold = [&](const char* lock) {
        ASSERT_EQ(sqlite3_exec(other, lock, nullptr, nullptr, nullptr), SQLITE_OK) << lock;
    };

    hold("BEGIN; SELECT count(*) FROM vals");
    expectStoreError(
        [&] {
            SettingsStore::Batch batch(waiting);
            waiting.writeInteger("b", 5);
            waiting.writeInteger("a", 5);
            batch.commit();
        },
        "Failed to set data for 'b'");
    hold("ROLLBACK");
    EXPECT_EQ(seenElsewhere("a"), 1);
    EXPECT_EQ(seenElsewhere("b"), std::nullopt);

    hold("BEGIN IMMEDIATE");
    {
        SettingsStore::Batch batch(waiting);
        EXPECT_EQ(waiting.readInteger("a"), 1);
        batch.commit();
    }
    expectStoreError(
        [&] {
            SettingsStore::Batch batch(waiting);
            waiting.writeInteger("a", 6);
        },
        "Failed to set data for 'a'");
    hold("ROLLBACK");
    sqlite3_close(other);
    waiting.writeInteger("a", 7);
    EXPECT_EQ(seenElsewhere("a"), 7);
}

// --- the user's store ----------------------------------------------------------------------------

TEST(SettingsStoreDefault, UsesTheConfiguredFolderAndKeepsWritesAcrossReopening) {
    TempFolder folder;
    ScopedConfigFolder config(folder.path());
    {
        SettingsStore store;
        ASSERT_TRUE(store.openKey(layout::productKey, true));
        store.writeInteger(layout::product::imagesTimeout, 45);
        store.writeDate("date", 46001.0);
    }
    EXPECT_TRUE(std::filesystem::exists(folder / "settings.db"));

    tickwell::StoreDatabase::resetDefaultDatabase();
    SettingsStore store;
    ASSERT_TRUE(store.openKey(layout::productKey, false));
    EXPECT_EQ(store.readInteger(layout::product::imagesTimeout), 45);
    EXPECT_EQ(store.readDate("date"), 46001.0);
}

TEST(SettingsStoreDefault, TheStoresFilesAreTheOwnersAloneWhateverTheUmask) {
    TempFolder folder;
    const ScopedUmask permissive(0);
    {
        ScopedConfigFolder config(folder / "made" / "for" / "it");
        SettingsStore store;
        ASSERT_TRUE(store.openKey(layout::productKey, true));
        store.writeString(layout::product::imagesList, "/home/someone/private.jpg\r\n");
    }
    for (const char* made : {"made", "made/for", "made/for/it"}) {
        EXPECT_EQ(permissionsOf(folder / made), 0700u) << made;
    }
    const auto storeFolder = folder / "made" / "for" / "it";
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(storeFolder)) {
        EXPECT_EQ(permissionsOf(entry.path()), 0600u) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 2u) << "the store and its lock at least";

    // A store left readable to others by an older version is made the owner's alone.
    for (const auto& entry : std::filesystem::directory_iterator(storeFolder)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms(0644));
    }
    ScopedConfigFolder config(storeFolder);
    SettingsStore store;
    ASSERT_TRUE(store.openKey(layout::productKey, false));
    for (const char* name : {"settings.db", "settings.db-wal", "settings.db-shm"}) {
        if (std::filesystem::exists(storeFolder / name)) {
            EXPECT_EQ(permissionsOf(storeFolder / name), 0600u) << name;
        }
    }
}
