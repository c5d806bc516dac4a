// The steps that the AVX2 and the AVX-512 passes share: rounding and storing sums, the scalar
// tails, the walk of the horizontal pass over column blocks and groups.
// Included only by those units, each built for its own instruction set. Everything here sits
// in an anonymous namespace, so every unit has its own copy with internal linkage (a shared
// inline copy could be the one the linker keeps for a processor without the newer set).
#pragma once

#include "PassKernels.h"

#include <immintrin.h>

namespace {

[[gnu::always_inline]] inline __m256 loadBytesAsFloats(const std::uint8_t* p) {
    const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    return _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(bytes));
}

// Clamp to 0..255 and round to the nearest integer, ties to even (the default rounding mode),
// then store the eight results as bytes. Sums above 255 are clamped before the conversion, which
// could not hold a huge one; negative ones become 0 in the saturating packs, as clamping first
// would give.
[[gnu::always_inline]] inline void storeEightBytes(std::uint8_t* out, __m256 sums) {
    const __m256i ints = _mm256_cvtps_epi32(_mm256_min_ps(sums, _mm256_set1_ps(255.0f)));
    const __m128i words =
        _mm_packus_epi32(_mm256_castsi256_si128(ints), _mm256_extracti128_si256(ints, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words, words));
}

// The same for four vectors of sums, stored as 32 bytes in their order: the packs work within
// 128-bit lanes, so one permutation of 32-bit elements puts the four vectors' bytes back in line.
[[gnu::always_inline]] inline void storeFourVectors(std::uint8_t* out, __m256 a, __m256 b, __m256 c,
                                                    __m256 d) {
    const __m256 top = _mm256_set1_ps(255.0f);
    const __m256i words =
        _mm256_packus_epi32(_mm256_cvtps_epi32(_mm256_min_ps(a, top)),
                            _mm256_cvtps_epi32(_mm256_min_ps(b, top))); // a0-3 b0-3 | a4-7 b4-7
    const __m256i moreWords = _mm256_packus_epi32(_mm256_cvtps_epi32(_mm256_min_ps(c, top)),
                                                  _mm256_cvtps_epi32(_mm256_min_ps(d, top)));
    const __m256i bytes = _mm256_packus_epi16(words, moreWords); // a0-3 b0-3 c0-3 d0-3 | a4-7 ...
    _mm256_storeu_si256(
        reinterpret_cast<__m256i*>(out),
        _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7)));
}

std::uint8_t scalarSumToByte(float sum) {
    const __m128 clamped =
        _mm_min_ss(_mm_max_ss(_mm_set_ss(sum), _mm_setzero_ps()), _mm_set_ss(255.0f));
    return static_cast<std::uint8_t>(_mm_cvtss_si32(clamped));
}

float scalarAddWeighted(float sum, std::uint8_t byte, float weight) {
    return _mm_cvtss_f32(
        _mm_fmadd_ss(_mm_set_ss(static_cast<float>(byte)), _mm_set_ss(weight), _mm_set_ss(sum)));
}

// One destination row from byte x on, where the 32-byte steps leave off.
void verticalRest(const PixelWeight* weights, const std::uint8_t* const* taps, int count, int x,
                  int rowBytes, std::uint8_t* out) {
    for (; x + 8 <= rowBytes; x += 8) {
        __m256 sum = _mm256_setzero_ps();
        for (int k = 0; k < count; ++k) {
            sum = _mm256_fmadd_ps(loadBytesAsFloats(taps[k] + x), _mm256_set1_ps(weights[k].weight),
                                  sum);
        }
        storeEightBytes(out + x, sum);
    }
    for (; x < rowBytes; ++x) {
        float sum = 0.0f;
        for (int k = 0; k < count; ++k) {
            sum = scalarAddWeighted(sum, taps[k][x], weights[k].weight);
        }
        out[x] = scalarSumToByte(sum);
    }
}

// The vertical pass over a row in steps of four vectors of sums, for a vector width that
// `Lanes` describes: `Vector`, `floats` per vector, `zero()`, `broadcast(w)`,
// `fmadd(a, b, sum)`, `loadBytes(p)` (`floats` bytes as floats) and `storeFour(out, sums)`
// (four vectors of sums rounded and stored as bytes). The bytes past the last whole step are
// left to verticalRest.

// The 4 * floats bytes from x on of `count` tap rows, each added to the sums of the rows that
// read it.
template <typename Lanes, bool first, bool second>
[[gnu::always_inline]] inline void addTapRows(const std::uint8_t* const* taps, int count, int x,
                                              const PixelWeight* wFirst, const PixelWeight* wSecond,
                                              typename Lanes::Vector sumsFirst[4],
                                              typename Lanes::Vector sumsSecond[4]) {
    for (int p = 0; p < count; ++p) {
        const std::uint8_t* in = taps[p] + x;
        typename Lanes::Vector bytes[4];
#pragma GCC unroll 4
        for (int u = 0; u < 4; ++u) {
            bytes[u] = Lanes::loadBytes(in + Lanes::floats * u);
        }
        if (first) {
            const auto w = Lanes::broadcast(wFirst[p].weight);
#pragma GCC unroll 4
            for (int u = 0; u < 4; ++u) {
                sumsFirst[u] = Lanes::fmadd(bytes[u], w, sumsFirst[u]);
            }
        }
        if (second) {
            const auto w = Lanes::broadcast(wSecond[p].weight);
#pragma GCC unroll 4
            for (int u = 0; u < 4; ++u) {
                sumsSecond[u] = Lanes::fmadd(bytes[u], w, sumsSecond[u]);
            }
        }
    }
}

template <typename Lanes> void verticalPairByVectors(const VerticalPairJob& job) {
    // Tap rows read by the first row only, by both, by the second only.
    const int both = job.secondShift;
    const int second = job.firstCount;
    const int end = job.secondShift + job.secondCount;
    constexpr int step = 4 * Lanes::floats;
    int x = 0;
    for (; x + step <= job.rowBytes; x += step) {
        typename Lanes::Vector sumsFirst[4];
        typename Lanes::Vector sumsSecond[4];
        for (int u = 0; u < 4; ++u) {
            sumsFirst[u] = sumsSecond[u] = Lanes::zero();
        }
        addTapRows<Lanes, true, false>(job.tapRows, both, x, job.firstWeights, job.secondWeights,
                                       sumsFirst, sumsSecond);
        addTapRows<Lanes, true, true>(job.tapRows + both, second - both, x, job.firstWeights + both,
                                      job.secondWeights, sumsFirst, sumsSecond);
        addTapRows<Lanes, false, true>(job.tapRows + second, end - second, x, job.firstWeights,
                                       job.secondWeights + (second - both), sumsFirst, sumsSecond);
        Lanes::storeFour(job.firstOut + x, sumsFirst);
        Lanes::storeFour(job.secondOut + x, sumsSecond);
    }
    verticalRest(job.firstWeights, job.tapRows, job.firstCount, x, job.rowBytes, job.firstOut);
    verticalRest(job.secondWeights, job.tapRows + both, job.secondCount, x, job.rowBytes,
                 job.secondOut);
}

template <typename Lanes> void verticalPassByVectors(const VerticalJob& job) {
    constexpr int step = 4 * Lanes::floats;
    int x = 0;
    for (; x + step <= job.rowBytes; x += step) {
        typename Lanes::Vector sums[4] = {Lanes::zero(), Lanes::zero(), Lanes::zero(),
                                          Lanes::zero()};
        for (int k = 0; k < job.count; ++k) {
            const auto w = Lanes::broadcast(job.weights[k].weight);
            const std::uint8_t* in = job.tapRows[k] + x;
#pragma GCC unroll 4
            for (int u = 0; u < 4; ++u) {
                sums[u] = Lanes::fmadd(Lanes::loadBytes(in + Lanes::floats * u), w, sums[u]);
            }
        }
        Lanes::storeFour(job.out + x, sums);
    }
    verticalRest(job.weights, job.tapRows, job.count, x, job.rowBytes, job.out);
}

// The horizontal pass over the rows of a strip that one vector holds (`Pass::Rows`), block by
// block: the block's source converted to floats, its columns summed group by group as the
// plan marks them (`Pass::sharing` for a sharing group, `Pass::side<n>` for n columns side by
// side), the results written back as rows.
template <typename Pass>
void horizontalPassByBlocks(const HorizontalJob& job, const typename Pass::Rows& rows) {
    for (int blockIndex = 0; blockIndex < job.blockCount; ++blockIndex) {
        const ColumnBlock& block = job.blocks[blockIndex];
        Pass::convert(rows, block.lowPixel * 3, (block.highPixel - block.lowPixel + 1) * 3,
                      job.transposed);
        for (int i = block.firstColumn; i < block.endColumn;) {
            std::uint8_t* packed = job.packed + (i - block.firstColumn) * Pass::packedPerColumn;
            switch (job.groups[i]) {
            case ColumnGroup::sharing:
                Pass::sharing(job, i, block.lowPixel, job.transposed, packed);
                i += 3;
                break;
            case ColumnGroup::four:
                Pass::template side<4>(job, i, job.transposed, packed);
                i += 4;
                break;
            default:
                Pass::template side<1>(job, i, job.transposed, packed);
                i += 1;
                break;
            }
        }
        Pass::store(rows, job.packed, block.firstColumn * 3,
                    (block.endColumn - block.firstColumn) * 3);
    }
}

} // namespace
