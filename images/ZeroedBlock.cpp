#include "images/ZeroedBlock.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {

// A mapping of `bytes` (a multiple of hugePageBytes) that starts on a huge-page boundary, so
// that every one of its huge pages can be backed by one; nullptr when there is no room. More
// than asked is mapped, and what lies before the boundary and after the end is given back.
std::uint8_t* mapAligned(std::size_t bytes) {
    const std::size_t extra = hugePageBytes - 1;
    if (bytes > SIZE_MAX - extra) {
        return nullptr;
    }
    void* mapped =
        mmap(nullptr, bytes + extra, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (address + extra) & ~std::uintptr_t{extra};
    const std::size_t before = aligned - address;
    if (before > 0) {
        munmap(mapped, before);
    }
    if (extra - before > 0) {
        munmap(reinterpret_cast<void*>(aligned + bytes), extra - before);
    }
    return reinterpret_cast<std::uint8_t*>(aligned);
}

} // namespace

void ZeroedBlockDeleter::operator()(std::uint8_t* block) const noexcept {
    if (mappedBytes > 0) {
        munmap(block, mappedBytes);
    } else {
        std::free(block);
    }
}

ZeroedBlock allocateZeroed(std::size_t bytes, std::size_t hugePagesFrom) {
    if (bytes == 0) {
        return {};
    }
    if (bytes >= hugePagesFrom && bytes <= SIZE_MAX - hugePageBytes) {
        const std::size_t mappedBytes = (bytes + hugePageBytes - 1) / hugePageBytes * hugePageBytes;
        if (std::uint8_t* block = mapAligned(mappedBytes)) {
#ifdef MADV_HUGEPAGE
            // Only a request: where huge pages are not offered, ordinary pages back the block.
            madvise(block, mappedBytes, MADV_HUGEPAGE);
#endif
            return ZeroedBlock(block, ZeroedBlockDeleter{mappedBytes});
        }
    }
    auto* block = static_cast<std::uint8_t*>(std::calloc(bytes, 1));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return ZeroedBlock(block);
}

bool mappedInHugePages(const ZeroedBlock& block) {
    return block.get_deleter().mappedBytes > 0;
}
