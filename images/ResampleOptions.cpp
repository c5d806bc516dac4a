#include "images/ResampleOptions.h"

#include <thread>

int defaultThreadCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(cores) : 1;
}

bool avx2Available() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool available = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return available;
#else
    return false;
#endif
}

bool avx512Available() {
#if defined(__x86_64__) || defined(__i386__)
    // The checks include the operating system's saving of the wide registers.
    static const bool available = avx2Available() && __builtin_cpu_supports("avx512f") &&
                                  __builtin_cpu_supports("avx512vl") &&
                                  __builtin_cpu_supports("avx512bw");
    return available;
#else
    return false;
#endif
}

SimdPath effectivePath(SimdPath requested) {
    if (requested == SimdPath::Portable) {
        return SimdPath::Portable;
    }
    if (requested != SimdPath::Avx2 && avx512Available()) {
        return SimdPath::Avx512;
    }
    return avx2Available() ? SimdPath::Avx2 : SimdPath::Portable;
}
