#pragma once

// Runs tickwell-reg as a real process against a store in a private temporary folder, with a
// given standard input, and collects its exit status and output.

#include <filesystem>
#include <string>
#include <vector>

namespace tickwell::test {

struct ToolRun {
    int status = -1; // the exit status, or 128 + the signal that ended the process
    std::string out;
    std::string err;
    double seconds = 0;     // from start to end
    long peakMemoryKiB = 0; // the largest resident size the process reached
};

class RegToolSandbox {
public:
    RegToolSandbox();
    ~RegToolSandbox();
    RegToolSandbox(const RegToolSandbox&) = delete;
    RegToolSandbox& operator=(const RegToolSandbox&) = delete;

    // The private folder; the store lives in it, and tests put their files there.
    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path file(const std::string& name) const { return folder_ / name; }

    // Runs the tool with `args`; `input` is all of its standard input, after which it ends. A
    // tool still running after a minute is killed, so that a hang fails the test instead of
    // holding up the run.
    ToolRun run(const std::vector<std::string>& args, const std::string& input = {}) const;
    // The same with standard input read from a file.
    ToolRun runWithInputFile(const std::vector<std::string>& args,
                             const std::filesystem::path& input) const;

private:
    std::filesystem::path folder_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace tickwell::test
