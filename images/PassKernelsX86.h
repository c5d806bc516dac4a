// The steps that the AVX2 and the AVX-512 passes share: rounding and storing sums, the scalar
// tails, the walk of the horizontal pass over column blocks and groups.
// Included only by those units, each built for its own instruction set. Everything here sits
// in an anonymous namespace, so every unit has its own copy with internal linkage (a shared
// inline copy could be the one the linker keeps for a processor without the newer set).
#pragma once

#include "images/PassKernels.h"

#include <cstring>
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

// The passes for a vector width that `Lanes` describes: `Vector`, `floats` per vector,
// `zero()`, `broadcast(w)`, `fmadd(a, b, sum)`, `loadFloats(p)`, `loadBytes(p)` (`floats`
// bytes as floats) and `storeSums<count>(out, sums)` (count vectors of sums rounded and stored
// as count * floats bytes, in order).
//
// In the horizontal pass a vector holds one colour of a column over the rows of a strip, so a
// pixel of the converted source is three vectors and a column's results are 3 * floats bytes.

// The sums of `n` neighbouring destination columns at once, so that enough independent
// multiply-add chains are in flight. Each column takes its weights in list order.
template <typename Lanes, int n>
void sumColumns(const HorizontalJob& job, int firstColumn, const float* transposed,
                std::uint8_t* packed) {
    const PixelWeight* weights[n];
    const std::int32_t* offsets[n];
    int counts[n];
    int common = 0x7fffffff;
#pragma GCC unroll 4
    for (int c = 0; c < n; ++c) {
        const std::int32_t first = job.listOffsets[firstColumn + c];
        weights[c] = job.entries + first;
        offsets[c] = job.tapOffsets + first;
        counts[c] = job.listOffsets[firstColumn + c + 1] - first;
        common = counts[c] < common ? counts[c] : common;
    }
    typename Lanes::Vector sums[n][3];
#pragma GCC unroll 4
    for (int c = 0; c < n; ++c) {
        sums[c][0] = sums[c][1] = sums[c][2] = Lanes::zero();
    }
    const auto addTap = [&](int c, int k) __attribute__((always_inline)) {
        const auto w = Lanes::broadcast(weights[c][k].weight);
        const float* in = transposed + offsets[c][k];
#pragma GCC unroll 3
        for (int colour = 0; colour < 3; ++colour) {
            sums[c][colour] =
                Lanes::fmadd(Lanes::loadFloats(in + Lanes::floats * colour), w, sums[c][colour]);
        }
    };
    for (int k = 0; k < common; ++k) {
#pragma GCC unroll 4
        for (int c = 0; c < n; ++c) {
            addTap(c, k);
        }
    }
#pragma GCC unroll 4
    for (int c = 0; c < n; ++c) {
        for (int k = common; k < counts[c]; ++k) {
            addTap(c, k);
        }
    }
    Lanes::template storeSums<3 * n>(packed, &sums[0][0]);
}

// `count` source pixels from `in` on, each loaded once and added to the sums of those of the
// three columns that read it.
template <typename Lanes, bool a, bool b, bool c>
[[gnu::always_inline]] inline void sharePixels(const float* in, int count, const PixelWeight* wa,
                                               const PixelWeight* wb, const PixelWeight* wc,
                                               typename Lanes::Vector sums[3][3]) {
    const auto add = [](typename Lanes::Vector columnSums[3], const typename Lanes::Vector pixel[3],
                        float weight) __attribute__((always_inline)) {
        const auto w = Lanes::broadcast(weight);
#pragma GCC unroll 3
        for (int colour = 0; colour < 3; ++colour) {
            columnSums[colour] = Lanes::fmadd(pixel[colour], w, columnSums[colour]);
        }
    };
#pragma GCC unroll 2
    // The stretches are a few pixels long, so the loop's own counting costs a good share of
    // the work; unrolled, it is paid once per two pixels.
    for (int p = 0; p < count; ++p) {
        const float* at = in + 3 * Lanes::floats * p;
        const typename Lanes::Vector pixel[3] = {Lanes::loadFloats(at),
                                                 Lanes::loadFloats(at + Lanes::floats),
                                                 Lanes::loadFloats(at + 2 * Lanes::floats)};
        if (a) {
            add(sums[0], pixel, wa[p].weight);
        }
        if (b) {
            add(sums[1], pixel, wb[p].weight);
        }
        if (c) {
            add(sums[2], pixel, wc[p].weight);
        }
    }
}

// A group of three columns marked ColumnGroup::sharing: their runs overlap, so the pixels go
// through in five stretches, read by the first column only, the first two, all three, the last
// two, the last one; each column still takes its weights in list order.
template <typename Lanes>
void sumSharingColumns(const HorizontalJob& job, int firstColumn, int lowPixel,
                       const float* transposed, std::uint8_t* packed) {
    const std::int32_t* offsets = job.listOffsets + firstColumn;
    int start[3];
    int end[3];
    const PixelWeight* w[3];
    for (int c = 0; c < 3; ++c) {
        w[c] = job.entries + offsets[c];
        start[c] = w[c]->pixel - lowPixel; // pixels from the block's first
        end[c] = start[c] + (offsets[c + 1] - offsets[c]);
    }
    constexpr int step = 3 * Lanes::floats;
    const float* in = transposed;
    typename Lanes::Vector sums[3][3];
    for (auto& column : sums) {
        column[0] = column[1] = column[2] = Lanes::zero();
    }
    sharePixels<Lanes, true, false, false>(in + step * start[0], start[1] - start[0], w[0], w[1],
                                           w[2], sums);
    sharePixels<Lanes, true, true, false>(in + step * start[1], start[2] - start[1],
                                          w[0] + (start[1] - start[0]), w[1], w[2], sums);
    sharePixels<Lanes, true, true, true>(in + step * start[2], end[0] - start[2],
                                         w[0] + (start[2] - start[0]), w[1] + (start[2] - start[1]),
                                         w[2], sums);
    sharePixels<Lanes, false, true, true>(in + step * end[0], end[1] - end[0], w[0],
                                          w[1] + (end[0] - start[1]), w[2] + (end[0] - start[2]),
                                          sums);
    sharePixels<Lanes, false, false, true>(in + step * end[1], end[2] - end[1], w[0], w[1],
                                           w[2] + (end[1] - start[2]), sums);
    Lanes::template storeSums<9>(packed, &sums[0][0]);
}

// The vertical pass goes over a row in steps of four vectors of sums; the bytes past the last
// whole step are left to verticalRest. The 4 * floats bytes from x on of `count` tap rows, each
// added to the sums of the rows that read it.
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
        Lanes::template storeSums<4>(job.firstOut + x, sumsFirst);
        Lanes::template storeSums<4>(job.secondOut + x, sumsSecond);
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
        Lanes::template storeSums<4>(job.out + x, sums);
    }
    verticalRest(job.weights, job.tapRows, job.count, x, job.rowBytes, job.out);
}

// The horizontal pass over the rows of a strip that one vector holds (`Pass::Rows`, with
// vectors as `Pass::Lanes` describes), block by block: the block's source converted to floats
// (`Pass::convert`), its columns summed group by group as the plan marks them, the results
// written back as rows (`Pass::store`).
// Both ends of a block are taken in whole steps of passStepBytes where the row allows it, since
// a step's bytes one by one cost more than the whole step. Neighbouring blocks read some of the
// same source bytes (a list's reach, and what the last step took beyond); those are moved down
// from the previous block's floats rather than converted again.
template <typename Pass>
void horizontalPassByBlocks(const HorizontalJob& job, const typename Pass::Rows& rows) {
    using Lanes = typename Pass::Lanes;
    const auto wholeSteps = [](int bytes, int room) {
        const int rounded = (bytes + passStepBytes - 1) / passStepBytes * passStepBytes;
        return rounded < room ? rounded : room;
    };
    int heldLow = 0; // the source bytes [heldLow, heldEnd) whose floats job.transposed holds
    int heldEnd = 0;
    for (int blockIndex = 0; blockIndex < job.blockCount; ++blockIndex) {
        const ColumnBlock& block = job.blocks[blockIndex];
        const int low = block.lowPixel * 3;
        const int end = (block.highPixel + 1) * 3;
        int from = low; // the first byte still to convert
        if (low >= heldLow && low < heldEnd) {
            std::memmove(job.transposed, job.transposed + (low - heldLow) * Lanes::floats,
                         static_cast<std::size_t>(heldEnd - low) * Lanes::floats * sizeof(float));
            from = heldEnd;
        }
        if (from < end) {
            const int count = wholeSteps(end - from, job.sourceRowBytes - from);
            Pass::convert(rows, from, count, job.transposed + (from - low) * Lanes::floats);
            heldEnd = from + count;
        }
        heldLow = low;
        for (int i = block.firstColumn; i < block.endColumn;) {
            std::uint8_t* packed = job.packed + (i - block.firstColumn) * 3 * Lanes::floats;
            switch (job.groups[i]) {
            case ColumnGroup::sharing:
                sumSharingColumns<Lanes>(job, i, block.lowPixel, job.transposed, packed);
                i += 3;
                break;
            case ColumnGroup::four:
                sumColumns<Lanes, 4>(job, i, job.transposed, packed);
                i += 4;
                break;
            default:
                sumColumns<Lanes, 1>(job, i, job.transposed, packed);
                i += 1;
                break;
            }
        }
        const int firstByte = block.firstColumn * 3;
        Pass::store(
            rows, job.packed, firstByte,
            wholeSteps((block.endColumn - block.firstColumn) * 3, job.workRowBytes - firstByte));
    }
}

} // namespace
