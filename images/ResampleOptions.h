#pragma once

// How a resampling run is carried out. None of these choices changes a single output byte.
enum class SimdPath {
    Best,     // AVX2 with fused multiply-add when the processor has it, else Portable
    Portable, // plain C++ with std::fma
    Avx2,     // AVX2 + FMA; falls back to Portable on a processor without them
};

struct ResampleOptions {
    // Worker threads that share the rows of both passes; 0 means one per processor core.
    // At most maxThreads are used.
    int threads = 0;
    static constexpr int maxThreads = 64;
    SimdPath path = SimdPath::Best;
};

// The number of processor cores (at least 1).
int defaultThreadCount();

// Whether this processor runs the AVX2 + FMA path.
bool avx2Available();
