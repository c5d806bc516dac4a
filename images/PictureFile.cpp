#include "images/PictureFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OpenedPicture openPictureFile(const std::string& path) {
    OpenedPicture opened;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        opened.reason = std::strerror(errno);
        return opened;
    }
    struct stat info {};
    const bool known = ::fstat(fd, &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        opened.reason = known ? "not a regular file" : std::strerror(errno);
        ::close(fd);
        return opened;
    }
    opened.file = ::fdopen(fd, "rb");
    if (opened.file == nullptr) {
        opened.reason = std::strerror(errno);
        ::close(fd);
        return opened;
    }
    opened.size = static_cast<std::uint64_t>(info.st_size);
    return opened;
}
