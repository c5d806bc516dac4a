#include "images/WorkMemory.h"

WorkMemory::WorkMemory(std::size_t bytes)
    : block_(allocateZeroed(bytes, hugePagesFrom)),
      memory_(block_.get(), block_ ? bytes : 0, std::pmr::new_delete_resource()) {}

void* WorkMemory::do_allocate(std::size_t bytes, std::size_t alignment) {
    std::lock_guard lock(mutex_);
    return memory_.allocate(bytes, alignment);
}

void WorkMemory::do_deallocate(void* p, std::size_t bytes, std::size_t alignment) {
    std::lock_guard lock(mutex_);
    memory_.deallocate(p, bytes, alignment);
}

bool WorkMemory::do_is_equal(const std::pmr::memory_resource& other) const noexcept {
    return this == &other;
}
