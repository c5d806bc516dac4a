// .reg data in and out of a real store file: an import's changes land all together or not at
// all, and an export's snapshot lists keys as the store does.

#include "settings/RegFileStore.h"

#include "OldStoreKeys.h"
#include "RegFileTestSupport.h"
#include "settings/RegFileReader.h"
#include "settings/RegFileWriter.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tickwell::regfile {
namespace {

using namespace test;

class RegFileStore : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "tickwell-regfile-XXXXXX");
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        db_ = StoreDatabase::openFile(folder_ / "settings.db");
    }
    void TearDown() override {
        db_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void import(std::string_view body) {
        const auto fault = importRegFile(*db_, bytesOf("REGEDIT4\r\n" + std::string(body)));
        EXPECT_FALSE(fault) << fault->line << ": " << fault->reason;
    }
    std::optional<KeyId> key(Root root, std::string_view path) {
        return db_->findKey(db_->rootKey(root), path);
    }
    std::optional<RawValue> value(std::string_view path, std::string_view name) {
        const auto k = key(Root::LocalMachine, path);
        return k ? db_->readValue(*k, name) : std::nullopt;
    }

    std::filesystem::path folder_;
    std::shared_ptr<StoreDatabase> db_;
};

TEST_F(RegFileStore, AppliesCreationsValuesAndDeletionsInOrder) {
    import("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell]\r\n\"old\"=dword:1\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell\\Sub]\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2]\r\n\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n");
    import("[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell]\r\n"
           "[HKEY_LOCAL_MACHINE\\software\\TICKWELL2]\r\n\"A\"=\"one\"\r\n\"b\"=-\r\n"
           "\"gone\"=-\r\n[-HKEY_LOCAL_MACHINE\\Never\\There]\r\n"
           "[HKEY_CURRENT_USER\\Software\\Run]\r\n\"Tickwell2\"=\"/usr/bin/tickwell\"\r\n");

    EXPECT_FALSE(key(Root::LocalMachine, "SOFTWARE\\Tickwell"));
    EXPECT_FALSE(key(Root::LocalMachine, "SOFTWARE\\Tickwell\\Sub"));
    const auto a = value("SOFTWARE\\Tickwell2", "a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->name, "a") << "a replaced value keeps its first name";
    EXPECT_EQ(a->data, bytesOf("one"));
    EXPECT_FALSE(value("SOFTWARE\\Tickwell2", "b"));
    const auto run = key(Root::CurrentUser, "Software\\Run");
    ASSERT_TRUE(run);
    EXPECT_TRUE(db_->readValue(*run, "Tickwell2"));
}

TEST_F(RegFileStore, ASectionAfterADeletionFindsItsKeyAnew) {
    import("[HKEY_LOCAL_MACHINE\\A\\B]\r\n\"x\"=\"1\"\r\n[-HKEY_LOCAL_MACHINE\\A]\r\n"
           "[HKEY_LOCAL_MACHINE\\A\\B]\r\n\"y\"=\"2\"\r\n");
    EXPECT_FALSE(value("A\\B", "x"));
    EXPECT_EQ(value("A\\B", "y")->data, bytesOf("2"));
}

TEST_F(RegFileStore, AFaultAnywhereInTheFileImportsNothing) {
    import("[HKEY_LOCAL_MACHINE\\K]\r\n\"kept\"=\"before\"\r\n");
    const auto fault =
        importRegFile(*db_, bytesOf("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"kept\"=\"after\"\r\n"
                                    "[HKEY_LOCAL_MACHINE\\K\\New]\r\n\"bad\"=dword:xyz\r\n"));
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->line, 5);
    EXPECT_EQ(value("K", "kept")->data, bytesOf("before"));
    EXPECT_FALSE(key(Root::LocalMachine, "K\\New"));
}

TEST_F(RegFileStore, AppliesNothingWhenTheStoreRefusesOneChange) {
    import("[HKEY_LOCAL_MACHINE\\K]\r\n\"kept\"=\"before\"\r\n");
    const std::vector<RegChange> changes = {
        setString(Root::LocalMachine, "K", "kept", "after"),
        createKey(Root::LocalMachine, "K\\New"),
        createKey(Root::LocalMachine, "K\\" + std::string(300, 'x')),
    };
    EXPECT_THROW(applyRegChanges(*db_, changes), RegApplyError);
    EXPECT_EQ(value("K", "kept")->data, bytesOf("before"));
    EXPECT_FALSE(key(Root::LocalMachine, "K\\New"));
}

TEST_F(RegFileStore, SnapshotListsSubkeysAsTheStoreDoesAndValuesInCreationOrder) {
    import("[HKEY_LOCAL_MACHINE\\T\\b]\r\n[HKEY_LOCAL_MACHINE\\T\\A]\r\n\"z\"=dword:1\r\n"
           "\"y\"=hex:02\r\n[HKEY_LOCAL_MACHINE\\T\\c\\deep]\r\n@=\"d\"\r\n");
    const RegKeySnapshot tree = snapshotKeyTree(*db_, *key(Root::LocalMachine, "T"));
    const RegKeySnapshot expected{
        {{0, "T", {}},
         {1, "A", {{"z", valuetype::Dword, dword(1)}, {"y", valuetype::Binary, {2}}}},
         {1, "b", {}},
         {1, "c", {}},
         {2, "deep", {{"", valuetype::String, bytesOf("d")}}}}};
    EXPECT_EQ(tree, expected);
}

TEST_F(RegFileStore, AnOldTreeBeyondTheLimitsIsWalkedWithoutRecursionAndRefusedForExport) {
    constexpr int levels = 100000;
    addOldKeyChain(db_->filePath(), Root::CurrentUser, "a", levels);
    const KeyId top = *key(Root::CurrentUser, "a");

    const RegKeySnapshot tree = snapshotKeyTree(*db_, top);
    ASSERT_EQ(tree.keys.size(), static_cast<std::size_t>(levels));
    EXPECT_EQ(tree.keys.back().depth, static_cast<std::size_t>(levels - 1));
    try {
        writeRegFile({Root::CurrentUser, "a"}, tree);
        ADD_FAILURE() << "a tree no import could read was exported";
    } catch (const RegWriteError& error) {
        EXPECT_NE(std::string(error.what()).find("deeper than 512 levels"), std::string::npos)
            << error.what();
    }
    EXPECT_TRUE(db_->deleteKeyTree(top));
    EXPECT_FALSE(key(Root::CurrentUser, "a"));
}

} // namespace
} // namespace tickwell::regfile
