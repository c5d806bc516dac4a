// Faults of the disk under the store: a read, write or sync that fails with an I/O error or a
// full disk at the Nth call, once or from then on, for every N that a sequence of the program's
// changes reaches. Every failure must raise the store's error, and the store opened again
// afterwards must hold exactly the changes that were acknowledged, never moved aside.

#include "FaultyVfs.h"
#include "StoreTestSupport.h"
#include "settings/RegFileStore.h"

#include <bit>
#include <map>
#include <ostream>

using tickwell::RawValue;
using tickwell::Root;
using tickwell::StoreDatabase;

namespace {

// The store as plain data: every key below the per-machine root by its path, with its values.
using Contents = std::map<std::string, std::map<std::string, RawValue>>;

Contents contentsOf(StoreDatabase& db) {
    Contents contents;
    const auto tree = tickwell::regfile::snapshotKeyTree(db, db.rootKey(Root::LocalMachine));
    std::vector<std::string> path;
    for (const auto& key : tree.keys) {
        path.resize(key.depth);
        path.push_back(key.name);
        std::string joined;
        for (std::size_t i = 1; i < path.size(); ++i) {
            joined += "\\" + path[i];
        }
        auto& values = contents[joined];
        for (const RawValue& value : key.values) {
            values[value.name] = value;
        }
    }
    return contents;
}

// The program's changes, made through its accessor and mirrored in `model` when acknowledged.
// A change that fails must throw StoreError and change nothing.
class Changes {
public:
    explicit Changes(SettingsStore& store) : store_(store) { model[""]; }

    // Runs change number `i`; false when it failed.
    bool run(int i) {
        try {
            apply(i);
            return true;
        } catch (const StoreError&) {
            return false;
        }
    }

    // Runs changes `from` to `to` - 1 as one batch; a failure passes on and the model is put
    // back as it was, since the batch leaves nothing.
    void runBatch(int from, int to) {
        const Contents before = model;
        try {
            SettingsStore::Batch batch(store_);
            for (int i = from; i < to; ++i) {
                apply(i);
            }
            batch.commit();
        } catch (const StoreError&) {
            model = before;
            throw;
        }
    }

    Contents model; // keyed as contentsOf keys them: "" for the root

private:
    static std::string keyPath(int j) { return "\\SOFTWARE\\Tickwell2\\K" + std::to_string(j); }

    template <typename Number> static std::vector<std::uint8_t> littleEndian(Number value) {
        std::vector<std::uint8_t> bytes;
        for (std::size_t i = 0; i < sizeof value; ++i) {
            bytes.push_back(
                static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i)));
        }
        return bytes;
    }

    void openCreating(const std::string& path) {
        store_.openKey(path, true);
        // Acknowledged: every key on the path exists, and it is the current key.
        std::string made;
        for (std::size_t start = 1; start <= path.size();) {
            const std::size_t end = std::min(path.find('\\', start), path.size());
            made += "\\" + path.substr(start, end - start);
            model[made];
            start = end + 1;
        }
        current_ = path;
    }

    void write(const std::string& name, RawValue value) {
        model.at(current_)[name] = std::move(value);
    }

    void apply(int i) {
        const std::string name = "v" + std::to_string(i % 5);
        switch (i % 7) {
        case 0:
            openCreating(keyPath(i % 3));
            break;
        case 1:
            store_.writeInteger(name, i);
            write(name, {name, tickwell::valuetype::Dword, littleEndian<std::uint32_t>(i)});
            break;
        case 2: {
            // Long enough, now and then, to need overflow pages.
            const std::string text(static_cast<std::size_t>(i * 997 % 7000), 'a' + i % 26);
            store_.writeString(name, text);
            write(name, {name, tickwell::valuetype::String, {text.begin(), text.end()}});
            break;
        }
        case 3:
            store_.writeDate(name, 46000.0 + i);
            write(name, {name, tickwell::valuetype::Binary,
                         littleEndian(std::bit_cast<std::uint64_t>(46000.0 + i))});
            break;
        case 4:
            if (store_.deleteValue(name)) {
                model.at(current_).erase(name);
            }
            break;
        case 5:
            openCreating("\\SOFTWARE\\Tickwell2\\Scratch\\A" + std::to_string(i) + "\\B");
            store_.writeBool("here", true);
            write("here", {"here", tickwell::valuetype::Dword, {1, 0, 0, 0}});
            break;
        case 6:
            if (store_.deleteKey("\\SOFTWARE\\Tickwell2\\Scratch")) {
                std::erase_if(model, [](const auto& entry) {
                    return entry.first.starts_with("\\SOFTWARE\\Tickwell2\\Scratch");
                });
            }
            openCreating(keyPath(i % 3));
            break;
        }
    }

    SettingsStore& store_;
    std::string current_;
};

constexpr int changeCount = 35;

// Hundreds of stores are made and dropped: in memory where the system offers a folder there.
std::filesystem::path scratchBase() {
    std::error_code ec;
    return std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                         : std::filesystem::temp_directory_path();
}

struct FaultCase {
    const char* name;
    faulty::Call call;
    int code;
    faulty::Lasting lasting;
};

void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

const FaultCase kFaults[] = {
    {"DiskFullOnceAtAWrite", faulty::Call::Write, SQLITE_FULL, faulty::Lasting::Once},
    {"DiskFullFromAWriteOn", faulty::Call::Write, SQLITE_FULL, faulty::Lasting::FromThenOn},
    {"WriteErrorOnce", faulty::Call::Write, SQLITE_IOERR_WRITE, faulty::Lasting::Once},
    {"SyncErrorOnce", faulty::Call::Sync, SQLITE_IOERR_FSYNC, faulty::Lasting::Once},
    {"SyncErrorFromThenOn", faulty::Call::Sync, SQLITE_IOERR_FSYNC, faulty::Lasting::FromThenOn},
    {"ReadErrorOnce", faulty::Call::Read, SQLITE_IOERR_READ, faulty::Lasting::Once},
};

class StoreFaults : public ::testing::TestWithParam<FaultCase> {
protected:
    static void SetUpTestSuite() { faulty::install(); }
    void TearDown() override { faulty::disarm(); }

    // Opens a fresh store in `folder`, runs the changes with the fault armed at call `nth` (0:
    // not armed) and returns what was acknowledged.
    static Contents runChanges(const TempFolder& folder, int nth, int& failures) {
        const auto db = StoreDatabase::openFile(folder / "settings.db");
        SettingsStore store(db);
        Changes changes(store);
        faulty::resetCounts();
        if (nth > 0) {
            faulty::arm(GetParam().call, nth, GetParam().code, GetParam().lasting);
        }
        for (int i = 0; i < changeCount; ++i) {
            failures += changes.run(i) ? 0 : 1;
        }
        return changes.model;
    }
};

TEST_P(StoreFaults, EveryFailureRaisesTheStoresErrorAndReopeningShowsWhatWasAcknowledged) {
    int calls = 0;
    {
        TempFolder dry(scratchBase());
        int failures = 0;
        runChanges(dry, 0, failures);
        ASSERT_EQ(failures, 0);
        calls = faulty::count(GetParam().call);
    }
    ASSERT_GT(calls, 0);
    int runsWithFailures = 0;
    for (int nth = 1; nth <= calls; ++nth) {
        SCOPED_TRACE("call " + std::to_string(nth) + " of " + std::to_string(calls));
        TempFolder folder(scratchBase());
        tickwell::takeStoreRecoveryNotice();
        int failures = 0;
        const Contents acknowledged = runChanges(folder, nth, failures);
        ASSERT_TRUE(faulty::struck());
        faulty::disarm();
        runsWithFailures += failures > 0 ? 1 : 0;

        const auto reopened = StoreDatabase::openFile(folder / "settings.db");
        ASSERT_FALSE(tickwell::takeStoreRecoveryNotice()) << "the store was moved aside";
        ASSERT_EQ(contentsOf(*reopened), acknowledged) << failures << " changes failed";
    }
    RecordProperty("Calls", calls);
    RecordProperty("RunsWithFailures", runsWithFailures);
}

// A batch of the same changes, after a few made one by one: a fault at any call of the batch
// leaves every change of it or none, and a failed batch is reported as a failed write is.
TEST_P(StoreFaults, ABatchIsKeptWholeOrNotAtAll) {
    constexpr int before = 8;
    const auto run = [](const TempFolder& folder, int nth, bool& failed) {
        const auto db = StoreDatabase::openFile(folder / "settings.db");
        SettingsStore store(db);
        Changes changes(store);
        for (int i = 0; i < before; ++i) {
            changes.run(i);
        }
        faulty::resetCounts();
        if (nth > 0) {
            faulty::arm(GetParam().call, nth, GetParam().code, GetParam().lasting);
        }
        try {
            changes.runBatch(before, changeCount);
        } catch (const StoreError&) {
            failed = true;
        }
        return changes.model;
    };
    int calls = 0;
    {
        TempFolder dry(scratchBase());
        bool failed = false;
        run(dry, 0, failed);
        ASSERT_FALSE(failed);
        calls = faulty::count(GetParam().call);
    }
    ASSERT_GT(calls, 0);
    for (int nth = 1; nth <= calls; ++nth) {
        SCOPED_TRACE("call " + std::to_string(nth) + " of " + std::to_string(calls));
        TempFolder folder(scratchBase());
        bool failed = false;
        const Contents acknowledged = run(folder, nth, failed);
        faulty::disarm();
        const auto reopened = StoreDatabase::openFile(folder / "settings.db");
        ASSERT_EQ(contentsOf(*reopened), acknowledged) << (failed ? "failed" : "committed");
    }
}

// What makes many writes cheap: a batch syncs to disk as often as a single write does.
TEST(StoreBatchSyncs, ABatchOfManyWritesSyncsAsOftenAsOneWrite) {
    faulty::install();
    TempFolder folder(scratchBase());
    const auto db = StoreDatabase::openFile(folder / "settings.db");
    SettingsStore store(db);
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Tasks", true));
    faulty::resetCounts();
    store.writeBool("complete", false);
    const int oneWrite = faulty::count(faulty::Call::Sync);
    faulty::resetCounts();
    {
        SettingsStore::Batch batch(store);
        for (int i = 0; i < 500; ++i) {
            store.writeDate("date" + std::to_string(i), 46000.0 + i);
        }
        batch.commit();
    }
    EXPECT_GT(oneWrite, 0);
    EXPECT_EQ(faulty::count(faulty::Call::Sync), oneWrite);
}

INSTANTIATE_TEST_SUITE_P(Faults, StoreFaults, ::testing::ValuesIn(kFaults),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
