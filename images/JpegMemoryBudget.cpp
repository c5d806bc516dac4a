#include "images/JpegMemoryBudget.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <unistd.h>

std::optional<std::uint64_t> parseMemAvailable(std::string_view meminfo) {
    constexpr std::string_view key = "MemAvailable:";
    std::size_t at = 0;
    while (at < meminfo.size()) {
        std::size_t end = meminfo.find('\n', at);
        if (end == std::string_view::npos) {
            end = meminfo.size();
        }
        std::string_view line = meminfo.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with(key)) {
            continue;
        }
        line.remove_prefix(key.size());
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
        std::uint64_t kib = 0;
        auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), kib);
        if (error != std::errc() || std::string_view(rest, line.data() + line.size()) != " kB") {
            return std::nullopt;
        }
        return kib * 1024;
    }
    return std::nullopt;
}

std::uint64_t availableMemory() {
    std::ifstream file("/proc/meminfo");
    std::ostringstream text;
    text << file.rdbuf();
    if (auto bytes = parseMemAvailable(text.str())) {
        return *bytes;
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

std::uint64_t defaultJpegMemoryBudget() {
    return availableMemory() / 2;
}

std::string pictureTooLargeMessage(std::uint64_t width, std::uint64_t height, std::uint64_t needed,
                                   std::uint64_t budget) {
    constexpr std::uint64_t mib = 1024 * 1024;
    return "Picture too large: " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels need " + std::to_string((needed + mib - 1) / mib) +
           " MiB of memory, more than the " + std::to_string(budget / mib) + " MiB at hand";
}
