#pragma once

// A private folder for one test, removed with everything in it when the test ends, so that no
// test ever touches the user's own configuration.

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <system_error>

class TempFolder {
public:
    // In the system's folder for temporary files, or in `base`.
    explicit TempFolder(
        const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        std::string pattern = (base / "tickwell-store-XXXXXX");
        if (!mkdtemp(pattern.data())) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Sets the process's umask for the lifetime of the object, and back again.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(old_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t old_;
};

// The permission bits of a file or folder.
inline unsigned permissionsOf(const std::filesystem::path& path) {
    return static_cast<unsigned>(std::filesystem::status(path).permissions()) & 07777u;
}

// Points the process-wide store at a folder for the lifetime of the object, and back again.
class ScopedConfigFolder {
public:
    explicit ScopedConfigFolder(const std::filesystem::path& folder);
    ~ScopedConfigFolder();
    ScopedConfigFolder(const ScopedConfigFolder&) = delete;
    ScopedConfigFolder& operator=(const ScopedConfigFolder&) = delete;

private:
    bool hadValue_ = false;
    std::string oldValue_;
};
