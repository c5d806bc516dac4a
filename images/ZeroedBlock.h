#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Zeroed memory for large buffers such as a picture's pixels.
//
// The first write to each fresh 4 KiB page of memory costs a page fault, and on virtual machines
// a fault costs far more than the writes to the page: several milliseconds per megabyte, more
// than resampling into it. So blocks from largeBlockBytes on are mapped straight from the system
// in whole huge pages (2 MiB), asking for them to be backed by huge pages where the system offers
// that (transparent huge pages in "madvise" or "always" mode): one fault, which zeroes 2 MiB at
// memory speed, instead of 512. Where it does not, they are ordinary zeroed pages, as calloc
// gives them. Smaller blocks come from calloc.
struct ZeroedBlockDeleter {
    std::size_t mappedBytes = 0; // 0: from calloc
    void operator()(std::uint8_t* block) const noexcept;
};
using ZeroedBlock = std::unique_ptr<std::uint8_t[], ZeroedBlockDeleter>;

constexpr std::size_t hugePageBytes = std::size_t{2} << 20;
// Below this, rounding a block that lives long up to a whole huge page would waste more memory
// than its faults are worth.
constexpr std::size_t largeBlockBytes = std::size_t{1} << 20;

// `bytes` zeroed bytes (none for 0), in huge pages from `hugePagesFrom` bytes on. Throws
// std::bad_alloc when there is not enough memory.
ZeroedBlock allocateZeroed(std::size_t bytes, std::size_t hugePagesFrom = largeBlockBytes);

// Whether the block is mapped in whole huge pages (see above), whatever backs them.
bool mappedInHugePages(const ZeroedBlock& block);
