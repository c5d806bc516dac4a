#pragma once

// Reading a .reg file from a path given by a person, whatever it names.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tickwell::regfile {

// The largest .reg file an import reads. The program's own exports take a few kilobytes; a
// larger file is not settings, and refusing it keeps an import's memory bounded.
inline constexpr std::uint64_t maxRegFileBytes = std::uint64_t{64} << 20;

// Why a file could not be read; what() is one line naming the file.
class RegFileInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of the file at `path`. Only a regular file of at most maxRegFileBytes is read: a
// FIFO, device or folder is refused at once, never waited on or read without end.
std::vector<std::uint8_t> readRegFileBytes(const std::string& path);

} // namespace tickwell::regfile
