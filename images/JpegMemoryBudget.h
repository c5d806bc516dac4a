#pragma once

// How much memory a picture may take before it is refused. A small file can declare a picture
// of 65500 x 65500 pixels (12 GiB at 24 bits); such a picture is refused with a message before
// anything is allocated instead of exhausting the machine.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The "MemAvailable" figure of a /proc/meminfo text, in bytes.
std::optional<std::uint64_t> parseMemAvailable(std::string_view meminfo);

// Memory the system can hand out now without swapping: MemAvailable, or the free physical
// pages where /proc/meminfo cannot be read.
std::uint64_t availableMemory();

// Half of the available memory: the other half stays for the rest of the desktop.
std::uint64_t defaultJpegMemoryBudget();

// The message that refuses a picture of width x height pixels needing `needed` bytes when only
// `budget` bytes may be taken.
std::string pictureTooLargeMessage(std::uint64_t width, std::uint64_t height, std::uint64_t needed,
                                   std::uint64_t budget);
