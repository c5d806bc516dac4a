// Two and four processes, the program's accessor and tickwell-reg, started at the same moment
// on a damaged store: exactly one of them moves it aside, and every write of every process
// arrives in the fresh store.

#include "RegToolProcess.h"
#include "settings/SettingsStore.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tickwell::test {
namespace {

const std::string kShared = "HKLM\\SOFTWARE\\Tickwell2\\Shared";
constexpr int accessorWrites = 40;
constexpr int toolImports = 30;
constexpr int toolAdds = 8;

// Blocks until the parent lets every process go at once.
void waitForStart(int startPipe) {
    char byte = 0;
    while (::read(startPipe, &byte, 1) < 0 && errno == EINTR) {
    }
}

// The program's accessor: its own connection, writing and reading back at once.
[[noreturn]] void runAccessor(const RegToolSandbox& sandbox, int startPipe, int id) {
    waitForStart(startPipe);
    try {
        SettingsStore store(StoreDatabase::openFile(sandbox.file("settings.db")));
        if (!store.openKey("\\SOFTWARE\\Tickwell2\\Shared", true)) {
            _exit(2);
        }
        for (int i = 0; i < accessorWrites; ++i) {
            const std::string name = "a" + std::to_string(id) + "_" + std::to_string(i);
            store.writeInteger(name, i);
            if (store.readInteger(name) != i) {
                _exit(3);
            }
        }
        _exit(0);
    } catch (...) {
        _exit(4);
    }
}

// The tool as a person runs it, one command after the other; the exit status of the first
// that fails, or 0.
int runTool(const RegToolSandbox& sandbox, std::vector<std::string> args) {
    args.insert(args.begin(), TICKWELL_REG_TOOL);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::string config = "TICKWELL_CONFIG_DIR=" + sandbox.folder().string();
    std::vector<char*> env{config.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd : {0, 1, 2}) {
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                         0);
    }
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid) {
        return 100;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

[[noreturn]] void runToolCommands(const RegToolSandbox& sandbox, int startPipe, int id) {
    const std::string prefix = "t" + std::to_string(id) + "_";
    std::string file = "Windows Registry Editor Version 5.00\r\n\r\n[" + kShared + "]\r\n";
    for (int i = 0; i < toolImports; ++i) {
        file += "\"" + prefix + std::to_string(i) + "\"=dword:" + std::string(7, '0') +
                std::to_string(i % 10) + "\r\n";
    }
    const std::string reg = sandbox.file(prefix + "import.reg").string();
    writeFile(reg, file);
    waitForStart(startPipe);
    int failed = runTool(sandbox, {"import", reg});
    for (int i = 0; i < toolAdds && failed == 0; ++i) {
        failed = runTool(sandbox, {"add", kShared, "/v", prefix + "add" + std::to_string(i), "/t",
                                   "REG_DWORD", "/d", std::to_string(i), "/f"});
    }
    if (failed == 0) {
        failed = runTool(sandbox, {"export", kShared, sandbox.file(prefix + "out.reg"), "/y"});
    }
    _exit(failed);
}

class StoreSharing : public ::testing::TestWithParam<int> {};

TEST_P(StoreSharing, ProcessesRecoverTheStoreOnceAndEveryWriteArrives) {
    const RegToolSandbox sandbox;
    writeFile(sandbox.file("settings.db"), std::string(4096, '\x5A'));
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> processes;
    for (int id = 0; id < GetParam(); ++id) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(start[1]);
            if (id % 2 == 0) {
                runAccessor(sandbox, start[0], id);
            }
            runToolCommands(sandbox, start[0], id);
        }
        processes.push_back(pid);
    }
    ::close(start[0]);
    ::close(start[1]); // every process goes now
    for (std::size_t i = 0; i < processes.size(); ++i) {
        int status = 0;
        ASSERT_EQ(::waitpid(processes[i], &status, 0), processes[i]);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "process " << i << " ended with " << status;
    }

    int movedAside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(sandbox.folder())) {
        const std::string name = entry.path().filename().string();
        movedAside += name.starts_with("settings.db.damaged-") && !name.ends_with("-journal");
    }
    EXPECT_EQ(movedAside, 1) << "the damaged store is moved aside once";

    SettingsStore store(StoreDatabase::openFile(sandbox.file("settings.db")));
    ASSERT_TRUE(store.openKey("\\SOFTWARE\\Tickwell2\\Shared", false));
    for (int id = 0; id < GetParam(); ++id) {
        const std::string prefix = (id % 2 == 0 ? "a" : "t") + std::to_string(id) + "_";
        const int count = id % 2 == 0 ? accessorWrites : toolImports;
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(store.readInteger(prefix + std::to_string(i)), id % 2 == 0 ? i : i % 10)
                << prefix << i;
        }
        for (int i = 0; id % 2 == 1 && i < toolAdds; ++i) {
            EXPECT_EQ(store.readInteger(prefix + "add" + std::to_string(i)), i);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Processes, StoreSharing, ::testing::Values(2, 4),
                         [](const auto& testInfo) {
                             return std::to_string(testInfo.param) + "Processes";
                         });

} // namespace
} // namespace tickwell::test
