#include "settings/PrivateFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tickwell {

namespace {

constexpr mode_t privateFolderMode = 0700;
constexpr mode_t privateFileMode = 0600;

[[noreturn]] void fail(const std::string& what, const std::string& path, int error) {
    throw PrivateFileError("cannot " + what + " '" + path + "': " + std::strerror(error));
}

// Writes all of `bytes`, going on after short writes and interruptions; 0 or the errno.
int writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

} // namespace

void createPrivateFolders(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        return; // folders that exist are left as they are
    }
    std::filesystem::path made;
    for (const auto& part : folder) {
        made /= part;
        if (::mkdir(made.c_str(), privateFolderMode) == 0) {
            // The umask may have taken the owner's own rights.
            ::chmod(made.c_str(), privateFolderMode);
        } else if (errno != EEXIST) {
            fail("create the folder", made.string(), errno);
        }
    }
    if (!std::filesystem::is_directory(folder)) {
        fail("create the folder", folder.string(), ENOTDIR);
    }
}

bool ownFileMadePrivate(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        return false;
    }
    return (info.st_mode & 07777) == privateFileMode || ::fchmod(fd, privateFileMode) == 0;
}

void makeFilePrivate(const std::filesystem::path& file, WhenMissing missing) {
    const int create = missing == WhenMissing::Create ? O_CREAT : 0;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | create,
                          privateFileMode);
    if (fd < 0) {
        if (missing == WhenMissing::Skip && errno == ENOENT) {
            return;
        }
        fail("create", file.string(), errno);
    }
    ownFileMadePrivate(fd);
    ::close(fd);
}

void writePrivateFileReplacing(const std::string& file, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = file + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                          privateFileMode);
    if (fd < 0) {
        fail("write", file, errno);
    }
    int error = ::fchmod(fd, privateFileMode) == 0 ? writeAll(fd, bytes) : errno;
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && std::rename(temporary.c_str(), file.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        fail("write", file, error);
    }
}

} // namespace tickwell
