#include "StoreTestSupport.h"

using tickwell::RawValue;
using tickwell::Root;
using tickwell::StoreDatabase;

namespace {

std::vector<std::string> names(const std::vector<RawValue>& values) {
    std::vector<std::string> result;
    for (const auto& v : values) {
        result.push_back(v.name);
    }
    return result;
}

std::vector<std::string> names(const std::vector<tickwell::SubkeyEntry>& keys) {
    std::vector<std::string> result;
    for (const auto& k : keys) {
        result.push_back(k.name);
    }
    return result;
}

std::vector<std::uint8_t> bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

} // namespace

using StoreDatabaseTree = FreshStore;

TEST_F(StoreDatabaseTree, ValuesListInCreationOrderAndReplacingKeepsThePlace) {
    const auto k = *db->createKey(db->rootKey(Root::LocalMachine), "SOFTWARE\\Tickwell2");
    ASSERT_TRUE(db->setValue(k, "zeta", 1, bytes("z")));
    ASSERT_TRUE(db->setValue(k, "alpha", 4, {{1, 0, 0, 0}}));
    ASSERT_TRUE(db->setValue(k, "mid", 3, {}));
    ASSERT_TRUE(db->setValue(k, "ZETA", 11, bytes("12345678")));
    EXPECT_EQ(names(db->values(k)), (std::vector<std::string>{"zeta", "alpha", "mid"}));
    EXPECT_EQ(db->values(k)[0], (RawValue{"zeta", 11, bytes("12345678")}));
    EXPECT_EQ(db->values(k)[2], (RawValue{"mid", 3, {}})) << "empty data is kept as a value";

    ASSERT_TRUE(db->deleteValue(k, "Alpha"));
    ASSERT_TRUE(db->setValue(k, "alpha", 4, {{2, 0, 0, 0}}));
    EXPECT_EQ(names(db->values(k)), (std::vector<std::string>{"zeta", "mid", "alpha"}));
}

TEST_F(StoreDatabaseTree, SubkeysListInTheRegistrysOrder) {
    const auto k = *db->createKey(db->rootKey(Root::LocalMachine), "Tasks");
    for (const char* name : {"task10", "_x", "Task2", "b", "task1", "Ä"}) {
        ASSERT_TRUE(db->createKey(k, name));
    }
    // Ordered by upper-case form: letters before '_' (0x5F) before Latin-1.
    EXPECT_EQ(names(db->subkeys(k)),
              (std::vector<std::string>{"b", "task1", "task10", "Task2", "_x", "Ä"}));
    EXPECT_EQ(db->subkeys(db->rootKey(Root::CurrentUser)).size(), 0u);
}

TEST_F(StoreDatabaseTree, DeletedKeysStayDeletedAndTheirIdsAreNeverReused) {
    const auto root = db->rootKey(Root::LocalMachine);
    const auto first = *db->createKey(root, "A\\B");
    const auto parent = *db->findKey(root, "A");
    ASSERT_TRUE(db->setValue(first, "v", 1, bytes("x")));
    ASSERT_TRUE(db->deleteKeyTree(parent));

    EXPECT_FALSE(db->keyAlive(first));
    EXPECT_FALSE(db->keyName(first));
    EXPECT_FALSE(db->createKey(first, "C")) << "nothing is created below a deleted key";
    EXPECT_FALSE(db->setValue(first, "v", 1, bytes("y")));
    EXPECT_FALSE(db->readValue(first, "v"));
    EXPECT_FALSE(db->deleteKeyTree(first));

    const auto second = *db->createKey(root, "A\\B");
    EXPECT_NE(second, first);
    EXPECT_FALSE(db->readValue(second, "v"));

    // Not by another connection either: the highest id given is kept in the file.
    ASSERT_TRUE(db->deleteKeyTree(*db->findKey(root, "A")));
    auto other = StoreDatabase::openFile(db->filePath());
    const auto third = *other->createKey(other->rootKey(Root::LocalMachine), "A\\B");
    EXPECT_GT(third, second);
}

TEST_F(StoreDatabaseTree, RootsCannotBeDeletedAndHaveNoName) {
    for (Root r : {Root::LocalMachine, Root::CurrentUser}) {
        EXPECT_FALSE(db->deleteKeyTree(db->rootKey(r)));
        EXPECT_EQ(db->keyName(db->rootKey(r)), "");
    }
    EXPECT_NE(db->rootKey(Root::LocalMachine), db->rootKey(Root::CurrentUser));
}

TEST_F(StoreDatabaseTree, CreateKeyMakesNothingForAnInvalidPath) {
    const auto root = db->rootKey(Root::LocalMachine);
    EXPECT_FALSE(db->createKey(root, "A\\" + std::string(tickwell::maxKeyNameLength + 1, 'x')));
    EXPECT_FALSE(db->createKey(root, "A\\\\B"));
    EXPECT_FALSE(db->createKey(root, "A\\\x1B]0;title\x07"));
    EXPECT_FALSE(db->findKey(root, "A"));
}

TEST_F(StoreDatabaseTree, TheLimitsHoldForPathsTakenFromAnyKey) {
    const auto root = db->rootKey(Root::LocalMachine);
    // A key 500 levels down, then paths relative to it.
    std::string path = "a";
    for (int i = 1; i < 500; ++i) {
        path += "\\a";
    }
    const auto deep = db->createKey(root, path);
    ASSERT_TRUE(deep);
    std::string twelve = "b";
    for (int i = 1; i < 12; ++i) {
        twelve += "\\b";
    }
    const auto deepest = db->createKey(*deep, twelve);
    ASSERT_TRUE(deepest) << "512 levels in all";
    EXPECT_FALSE(db->createKey(*deepest, "c")) << "a 513th level";
    EXPECT_FALSE(db->createKey(*deep, twelve + "\\c"));
    EXPECT_TRUE(db->subkeys(*deepest).empty());

    // 125 names of 255 characters are 31,999 characters; three more with their separators make
    // the longest path.
    const std::string name(tickwell::maxKeyNameLength, 'n');
    std::string longPath = name;
    for (int i = 1; i < 125; ++i) {
        longPath += "\\" + name;
    }
    const auto far = db->createKey(root, longPath);
    ASSERT_TRUE(far);
    const std::string three = name + "\\" + name + "\\" + name;
    EXPECT_FALSE(db->createKey(*far, three + "\\x"));
    EXPECT_TRUE(db->createKey(*far, three));
}

TEST_F(StoreDatabaseTree, ValueNamesAndStringsMustBeText) {
    const auto k = *db->createKey(db->rootKey(Root::LocalMachine), "K");
    EXPECT_FALSE(db->setValue(k, "\xFF\xFE", tickwell::valuetype::Dword, {{1, 0, 0, 0}}));
    EXPECT_FALSE(
        db->setValue(k, std::string("a\0b", 3), tickwell::valuetype::Dword, {{1, 0, 0, 0}}));
    EXPECT_FALSE(db->setValue(k, "text", tickwell::valuetype::String, {{0xC3, 0x28}}));
    EXPECT_TRUE(db->setValue(k, "bytes", tickwell::valuetype::Binary, {{0xC3, 0x28}}));
    EXPECT_TRUE(db->setValue(k, "tab\tname", tickwell::valuetype::String,
                             bytes("a\x1B"
                                   "b")))
        << "control characters stay allowed in value names and data";
    EXPECT_EQ(db->values(k).size(), 2u);
}

using StoreDatabaseTransactions = FreshStore;

TEST_F(StoreDatabaseTransactions, AFailedTransactionLeavesNothingBehind) {
    const auto root = db->rootKey(Root::LocalMachine);
    const auto k = *db->createKey(root, "Keep");
    ASSERT_TRUE(db->setValue(k, "old", 1, bytes("1")));
    EXPECT_THROW(db->transaction([&] {
        const auto made = *db->createKey(root, "New\\Deep");
        ASSERT_TRUE(db->setValue(made, "v", 1, bytes("x")));
        ASSERT_TRUE(db->setValue(k, "old", 1, bytes("2")));
        ASSERT_TRUE(db->deleteKeyTree(k));
        throw std::runtime_error("import failed");
    }),
                 std::runtime_error);
    EXPECT_FALSE(db->findKey(root, "New"));
    ASSERT_TRUE(db->keyAlive(k));
    EXPECT_EQ(db->readValue(k, "old")->data, bytes("1"));
}

TEST_F(StoreDatabaseTransactions, NestedTransactionsCommitWithTheOutermost) {
    const auto root = db->rootKey(Root::LocalMachine);
    db->transaction([&] {
        ASSERT_TRUE(db->createKey(root, "A"));
        // An inner failure undoes only the inner part when the outer body carries on.
        EXPECT_THROW(db->transaction([&] {
            ASSERT_TRUE(db->createKey(root, "B"));
            throw std::runtime_error("inner");
        }),
                     std::runtime_error);
        db->transaction([&] { ASSERT_TRUE(db->createKey(root, "C")); });
    });
    EXPECT_TRUE(db->findKey(root, "A"));
    EXPECT_FALSE(db->findKey(root, "B"));
    EXPECT_TRUE(db->findKey(root, "C"));

    // Seen from a second connection, the committed change is complete.
    auto other = StoreDatabase::openFile(db->filePath());
    EXPECT_TRUE(other->findKey(other->rootKey(Root::LocalMachine), "C"));
}
