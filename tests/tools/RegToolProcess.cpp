#include "RegToolProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace tickwell::test {

RegToolSandbox::RegToolSandbox() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tickwell-regtool-XXXXXX");
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    folder_ = pattern;
}

RegToolSandbox::~RegToolSandbox() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

ToolRun RegToolSandbox::run(const std::vector<std::string>& args, const std::string& input) const {
    writeFile(file(".stdin"), input);
    return runWithInputFile(args, file(".stdin"));
}

ToolRun RegToolSandbox::runWithInputFile(const std::vector<std::string>& args,
                                         const std::filesystem::path& input) const {
    const std::string inPath = input.string();
    const std::string outPath = file(".stdout");
    const std::string errPath = file(".stderr");

    // The store and every other per-user folder point into the sandbox.
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (variable.rfind("TICKWELL_CONFIG_DIR=", 0) != 0 && variable.rfind("HOME=", 0) != 0 &&
            variable.rfind("XDG_CONFIG_HOME=", 0) != 0) {
            environment.push_back(variable);
        }
    }
    environment.push_back("TICKWELL_CONFIG_DIR=" + folder_.string());
    environment.push_back("HOME=" + folder_.string());
    environment.push_back("XDG_CONFIG_HOME=" + (folder_ / "xdg").string());

    std::vector<std::string> argv = {TICKWELL_REG_TOOL};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> argvPointers;
    for (std::string& arg : argv) {
        argvPointers.push_back(arg.data());
    }
    argvPointers.push_back(nullptr);
    std::vector<char*> envPointers;
    for (std::string& variable : environment) {
        envPointers.push_back(variable.data());
    }
    envPointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argvPointers[0], &actions, nullptr, argvPointers.data(),
                                    envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    const auto started = std::chrono::steady_clock::now();
    int status = 0;
    rusage usage{};
    while (true) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid) {
            break;
        }
        if (done < 0 && errno != EINTR) {
            throw std::runtime_error("lost the tool's process");
        }
        if (std::chrono::steady_clock::now() - started > std::chrono::minutes(1)) {
            kill(pid, SIGKILL);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ToolRun result;
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    result.peakMemoryKiB = usage.ru_maxrss;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace tickwell::test
