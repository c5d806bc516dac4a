#pragma once

// Opening a picture file named by the slideshow's list or a command line, whatever the name
// leads to: only a regular file is opened, and without blocking, so that a FIFO is refused at
// once instead of waiting for a writer without end, and a device is never read without end.

#include <cstdint>
#include <cstdio>
#include <string>

struct OpenedPicture {
    std::FILE* file = nullptr; // the caller closes it; null when the file was refused
    std::uint64_t size = 0;    // in bytes, as the file was when it was opened
    std::string reason;        // why it was refused: strerror's text or "not a regular file"
};

OpenedPicture openPictureFile(const std::string& path);
