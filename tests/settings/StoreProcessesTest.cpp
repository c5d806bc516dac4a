// The store shared by separate processes (the program and the command-line tool): writes of
// both arrive, nothing fails for being busy, and a write is on disk when its call returns.

#include "StoreTestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

using tickwell::Root;
using tickwell::StoreDatabase;

namespace {

// Runs `work` in a child process with its own connection to `file`. The child's exit status
// is 0 when `work` returned without an exception.
pid_t startChild(const std::filesystem::path& file,
                 const std::function<void(std::shared_ptr<StoreDatabase>)>& work) {
    const pid_t pid = fork();
    if (pid == 0) {
        int status = 0;
        try {
            work(StoreDatabase::openFile(file));
        } catch (...) {
            status = 1;
        }
        _exit(status); // no test-framework teardown in the child
    }
    return pid;
}

int waitForChild(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

constexpr int writesPerProcess = 150;

void writeMany(const std::shared_ptr<StoreDatabase>& db, const std::string& prefix) {
    SettingsStore store(db);
    if (!store.openKey("\\SOFTWARE\\Tickwell2\\Shared", true)) {
        throw std::runtime_error("open failed");
    }
    for (int i = 0; i < writesPerProcess; ++i) {
        store.writeInteger(prefix + std::to_string(i), i);
        // Read back at once, as the program does after every click.
        if (store.readInteger(prefix + std::to_string(i)) != i) {
            throw std::runtime_error("lost");
        }
    }
}

} // namespace

using StoreProcesses = FreshStore;

TEST_F(StoreProcesses, InterleavedWritesOfSeveralProcessesAllArrive) {
    const pid_t a = startChild(db->filePath(), [](auto child) { writeMany(child, "a"); });
    const pid_t b = startChild(db->filePath(), [](auto child) { writeMany(child, "b"); });
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    EXPECT_NO_THROW(writeMany(db, "p"));
    EXPECT_EQ(waitForChild(a), 0);
    EXPECT_EQ(waitForChild(b), 0);

    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Shared", false));
    for (const char* prefix : {"a", "b", "p"}) {
        for (int i = 0; i < writesPerProcess; ++i) {
            const std::string name = prefix + std::to_string(i);
            ASSERT_TRUE(store.valueExists(name)) << name;
            EXPECT_EQ(store.readInteger(name), i) << name;
        }
    }
    EXPECT_EQ(db->values(key("SOFTWARE\\Tickwell2\\Shared")).size(), 3u * writesPerProcess);
}

TEST_F(StoreProcesses, ReadModifyWriteInATransactionIsAtomicAcrossProcesses) {
    constexpr int increments = 100;
    const auto counterKey = *db->createKey(db->rootKey(Root::LocalMachine), "Counter");
    auto increment = [counterKey](const std::shared_ptr<StoreDatabase>& target) {
        for (int i = 0; i < increments; ++i) {
            target->transaction([&] {
                const auto value = target->readValue(counterKey, "n");
                std::uint8_t n = value ? value->data.at(0) : 0;
                ++n;
                if (!target->setValue(counterKey, "n", 3, {{n}})) {
                    throw std::runtime_error("write refused");
                }
            });
        }
    };
    const pid_t a = startChild(db->filePath(), increment);
    const pid_t b = startChild(db->filePath(), increment);
    EXPECT_EQ(waitForChild(a), 0);
    EXPECT_EQ(waitForChild(b), 0);
    const auto value = db->readValue(counterKey, "n");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->data, std::vector<std::uint8_t>{2 * increments});
}

TEST_F(StoreProcesses, AWriteSurvivesAProcessThatEndsWithoutClosing) {
    const pid_t child = startChild(db->filePath(), [](std::shared_ptr<StoreDatabase> childDb) {
        SettingsStore childStore(childDb);
        childStore.openKey("\\SOFTWARE\\Tickwell2", true);
        childStore.writeString("imagesList", "/pictures/one.jpg\r\n");
        childStore.writeInteger("imgCounter", 9);
        _exit(0); // no destructor, no close, no checkpoint
    });
    ASSERT_EQ(waitForChild(child), 0);

    auto fresh = StoreDatabase::openFile(db->filePath());
    SettingsStore reader(fresh);
    ASSERT_TRUE(reader.openKey("\\SOFTWARE\\Tickwell2", false));
    EXPECT_EQ(reader.readString("imagesList"), "/pictures/one.jpg\r\n");
    EXPECT_EQ(reader.readInteger("imgCounter"), 9);
}
