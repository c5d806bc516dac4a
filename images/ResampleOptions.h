#pragma once

// How a resampling run is carried out. None of these choices changes a single output byte.
enum class SimdPath {
    Best,     // the widest of the paths below that the processor has
    Portable, // plain C++ with std::fma
    Avx2,     // AVX2 + FMA; falls back to Portable on a processor without them
    Avx512,   // AVX-512 (foundation, byte and word, 128/256-bit forms); falls back to Avx2
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

// Whether this processor runs the AVX-512 path (which also uses AVX2 + FMA).
bool avx512Available();

// The path that `requested` comes to on this processor: never one it lacks.
SimdPath effectivePath(SimdPath requested);
