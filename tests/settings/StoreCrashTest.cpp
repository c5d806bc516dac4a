// A writer killed with SIGKILL at random moments, again and again: every write it acknowledged
// before the kill is in the store afterwards, and the store opens without a recovery. The kill
// falls anywhere: while the writer opens the store, while it commits, between two writes.
//
// KILL_ROUNDS is the number of kills: a few dozen in the default run, a thousand in the run of
// long tests.

#include "StoreTestSupport.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using tickwell::StoreDatabase;

namespace {

constexpr const char* crashKey = "\\SOFTWARE\\Tickwell2\\Crash";
constexpr int valueNames = 10;

// The text of write number k: of varying length, up to a few pages, so that some writes span
// pages and overflow pages of the database.
std::string textOf(std::int64_t k) {
    const std::size_t length = 16 + static_cast<std::size_t>((k * 733) % 9000);
    std::string text = std::to_string(k) + ":";
    text.resize(length, static_cast<char>('a' + k % 26));
    return text;
}

std::string nameOf(std::int64_t k) {
    return "v" + std::to_string(k % valueNames);
}

// The writer: opens the store, then makes writes first, first + 1, ... until it is killed,
// reporting each one on `acks` once its call has returned.
[[noreturn]] void writeUntilKilled(const std::filesystem::path& file, std::int64_t first,
                                   int acks) {
    try {
        SettingsStore store(StoreDatabase::openFile(file));
        if (!store.openKey(crashKey, true)) {
            _exit(2);
        }
        for (std::int64_t k = first;; ++k) {
            store.writeString(nameOf(k), textOf(k));
            if (::write(acks, &k, sizeof k) != sizeof k) {
                _exit(3);
            }
        }
    } catch (...) {
        _exit(4);
    }
}

// Reads acknowledged numbers into `acks`: at most `count` of them, or all until the writer's
// end of the pipe is closed.
void readAcks(int fd, std::vector<std::int64_t>& acks, std::size_t count) {
    std::int64_t k = 0;
    ssize_t n = 0;
    while (count > 0 && ((n = ::read(fd, &k, sizeof k)) == sizeof k || (n < 0 && errno == EINTR))) {
        if (n == sizeof k) {
            acks.push_back(k);
            --count;
        }
    }
}

class StoreCrash : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path file = folder / "settings.db";
};

TEST_F(StoreCrash, WritesAcknowledgedBeforeAKillSurviveItAndTheStoreOpensClean) {
    std::mt19937 random(20261101);
    // What each value name must hold: the last acknowledged write to it, or the write that was
    // in flight at the kill, which may or may not have landed.
    std::array<std::optional<std::int64_t>, valueNames> acknowledged{};
    std::optional<std::int64_t> inFlight;
    std::int64_t next = 0;
    int killedWhileOpening = 0;
    int acknowledgedWrites = 0;
    tickwell::takeStoreRecoveryNotice();

    for (int round = 0; round < KILL_ROUNDS; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            ::close(pipeEnds[0]);
            writeUntilKilled(file, next, pipeEnds[1]);
        }
        ::close(pipeEnds[1]);
        // One round in four from the start, so that the kill may fall while the store is being
        // opened; the others once the writer has begun to write.
        std::vector<std::int64_t> acks;
        if (round % 4 != 0) {
            readAcks(pipeEnds[0], acks, 1);
        }
        const int delayUs = std::uniform_int_distribution<int>(0, 30000)(random);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
        ::kill(writer, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself: " << status;
        readAcks(pipeEnds[0], acks, SIZE_MAX);
        ::close(pipeEnds[0]);
        killedWhileOpening += acks.empty() ? 1 : 0;
        acknowledgedWrites += static_cast<int>(acks.size());

        if (!acks.empty()) {
            for (const std::int64_t k : acks) {
                acknowledged[static_cast<std::size_t>(k % valueNames)] = k;
            }
            inFlight = acks.back() + 1;
            next = acks.back() + 2;
        } else {
            inFlight = next;
            next += 1;
        }

        {
            const auto db = StoreDatabase::openFile(file);
            ASSERT_FALSE(tickwell::takeStoreRecoveryNotice()) << "round " << round;
            SettingsStore store(db);
            if (!store.openKey(crashKey, false)) {
                // Killed before anything was written.
                for (const auto& value : acknowledged) {
                    ASSERT_FALSE(value) << "round " << round;
                }
                continue;
            }
            for (std::size_t n = 0; n < valueNames; ++n) {
                const std::string name = "v" + std::to_string(n);
                const std::string stored = store.readString(name);
                const bool isAcknowledged = acknowledged[n] && stored == textOf(*acknowledged[n]);
                const bool isInFlight = inFlight &&
                                        *inFlight % valueNames == static_cast<std::int64_t>(n) &&
                                        stored == textOf(*inFlight);
                ASSERT_TRUE(isAcknowledged || isInFlight || (!acknowledged[n] && stored.empty()))
                    << "round " << round << ", " << name << " holds \"" << stored.substr(0, 20)
                    << "...\"";
                if (isInFlight) {
                    acknowledged[n] = inFlight;
                }
            }
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        EXPECT_EQ(entry.path().filename().string().find("damaged"), std::string::npos)
            << entry.path();
    }
    // For the record: how many kills fell before the first write, and how many writes were made.
    RecordProperty("KilledBeforeTheFirstWrite", killedWhileOpening);
    RecordProperty("AcknowledgedWrites", acknowledgedWrites);
    EXPECT_GT(next, KILL_ROUNDS) << "writes were made in the rounds";
}

} // namespace
