#include "settings/RegFileInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tickwell::regfile {

namespace {

[[noreturn]] void refuse(const std::string& path, const std::string& reason) {
    throw RegFileInputError("cannot read '" + path + "': " + reason);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::string tooLarge() {
    return "larger than " + std::to_string(maxRegFileBytes >> 20) + " MiB, not a settings file";
}

} // namespace

std::vector<std::uint8_t> readRegFileBytes(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0) {
        refuse(path, std::strerror(errno));
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        refuse(path, std::strerror(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        refuse(path, "not a regular file");
    }
    if (static_cast<std::uint64_t>(info.st_size) > maxRegFileBytes) {
        refuse(path, tooLarge());
    }
    // The file may grow while it is read: at most one byte past the limit is taken to see that.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    while (true) {
        if (filled == bytes.size()) {
            if (bytes.size() > maxRegFileBytes) {
                refuse(path, tooLarge());
            }
            bytes.resize(std::min<std::size_t>(bytes.size() * 2, maxRegFileBytes + 1));
        }
        const ssize_t n = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            refuse(path, std::strerror(errno));
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace tickwell::regfile
