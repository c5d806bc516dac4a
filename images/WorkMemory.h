#pragma once

#include "images/ZeroedBlock.h"

#include <cstddef>
#include <memory_resource>
#include <mutex>

// The working memory of one resampling run (weight lists, kept work rows, staging rows,
// scratch), handed out one after another from a single zeroed block. A run then pays a few page
// faults for it instead of one for every 4 KiB page (see ZeroedBlock): its block comes in huge
// pages from hugePagesFrom bytes on. Over-estimating the size costs little, as pages that are
// never touched are never backed; what does not fit comes from the heap. Nothing is given back
// before the whole is destroyed. Safe to use from several threads.
class WorkMemory final : public std::pmr::memory_resource {
public:
    static constexpr std::size_t hugePagesFrom = std::size_t{256} << 10;

    explicit WorkMemory(std::size_t bytes);

    // Room for `count` objects of T, aligned to `alignment` bytes (a cache line, 64, for arrays
    // that vector loops go through); not necessarily zeroed.
    template <typename T> T* allocateArray(std::size_t count, std::size_t alignment = alignof(T)) {
        return static_cast<T*>(allocate(count * sizeof(T), alignment));
    }

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override;

    ZeroedBlock block_;
    std::mutex mutex_;
    std::pmr::monotonic_buffer_resource memory_;
};
