// Built with -mavx512f -mavx512vl (and AVX2 + FMA) and called only where the processor has them.
// The same sums in the same order as the AVX2 passes, with twice as many lanes per instruction:
// in the horizontal pass one vector holds a colour's sums of a column over a whole strip of
// sixteen rows; in the vertical pass each vector covers 16 bytes of a row.
// As in the AVX2 unit, nothing here is an inline function or template shared with other units.
#include "PassKernels.h"
#include "PassKernelsX86.h"

#include <immintrin.h>

// GCC 12's AVX-512 intrinsics fill the unused source of their masked forms with a
// self-initialised "undefined" vector, which its own warnings then report at every inlined use.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ < 13
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace {

// The sixteen rows of a strip; a short strip's missing source rows repeat its last one, and
// their results are not stored.
struct SixteenRows {
    const std::uint8_t* source[stripHeight];
    std::uint8_t* work[stripHeight];
    int count;
};

// Transposes a 16 x 16 block of bytes in place: v[r] byte c becomes v[c] byte r. Each round
// interleaves vector i with vector i + 8, which moves the top bit of the vector index to the
// bottom of the byte index and the top bit of the byte index to the bottom of the vector index;
// after four rounds the two indices have changed places.
[[gnu::always_inline]] inline void transpose16x16(__m128i v[16]) {
#pragma GCC unroll 4
    for (int round = 0; round < 4; ++round) {
        __m128i next[16];
#pragma GCC unroll 8
        for (int i = 0; i < 8; ++i) {
            next[2 * i] = _mm_unpacklo_epi8(v[i], v[i + 8]);
            next[2 * i + 1] = _mm_unpackhi_epi8(v[i], v[i + 8]);
        }
#pragma GCC unroll 16
        for (int i = 0; i < 16; ++i) {
            v[i] = next[i];
        }
    }
}

// Converts source bytes [firstByte, firstByte + byteCount) of the sixteen rows to floats laid
// out byte by byte, the sixteen rows of each byte side by side: one vector per byte position.
void convertSource(const SixteenRows& rows, int firstByte, int byteCount, float* out) {
    int b = 0;
    for (; b + 16 <= byteCount; b += 16) {
        __m128i v[16];
#pragma GCC unroll 16
        for (int r = 0; r < 16; ++r) {
            // Sixteen rows are more streams than the processor follows by itself.
            const std::uint8_t* at = rows.source[r] + firstByte + b;
            _mm_prefetch(reinterpret_cast<const char*>(at + 384), _MM_HINT_T0);
            v[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        }
        transpose16x16(v);
#pragma GCC unroll 16
        for (int q = 0; q < 16; ++q) {
            _mm512_storeu_ps(out + (b + q) * 16, _mm512_cvtepi32_ps(_mm512_cvtepu8_epi32(v[q])));
        }
    }
    for (; b < byteCount; ++b) {
        for (int r = 0; r < 16; ++r) {
            out[b * 16 + r] = static_cast<float>(rows.source[r][firstByte + b]);
        }
    }
}

// Clamp to 0..255 and round to the nearest integer, ties to even, as storeEightBytes does, for
// sixteen sums stored as sixteen bytes.
[[gnu::always_inline]] inline void storeSixteenBytes(std::uint8_t* out, __m512 sums) {
    const __m512i ints = _mm512_cvtps_epi32(_mm512_min_ps(sums, _mm512_set1_ps(255.0f)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm512_cvtepi32_epi8(_mm512_max_epi32(ints, _mm512_setzero_si512())));
}

// Writes the packed results (sixteen rows side by side per byte) back as rows.
void storeRows(const SixteenRows& rows, const std::uint8_t* packed, int firstByte, int byteCount) {
    int b = 0;
    for (; b + 16 <= byteCount; b += 16) {
        __m128i v[16];
#pragma GCC unroll 16
        for (int q = 0; q < 16; ++q) {
            v[q] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(packed + (b + q) * 16));
        }
        transpose16x16(v);
        for (int r = 0; r < rows.count; ++r) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(rows.work[r] + firstByte + b), v[r]);
        }
    }
    for (; b < byteCount; ++b) {
        for (int r = 0; r < rows.count; ++r) {
            rows.work[r][firstByte + b] = packed[b * 16 + r];
        }
    }
}

// A column's sums over the sixteen rows, one vector per colour.
struct ColumnSums {
    __m512 blue, green, red;
};

[[gnu::always_inline]] inline ColumnSums zeroSums() {
    return {_mm512_setzero_ps(), _mm512_setzero_ps(), _mm512_setzero_ps()};
}

[[gnu::always_inline]] inline void addWeighted(ColumnSums& sums, const __m512 in[3], float weight) {
    const __m512 w = _mm512_set1_ps(weight);
    sums.blue = _mm512_fmadd_ps(in[0], w, sums.blue);
    sums.green = _mm512_fmadd_ps(in[1], w, sums.green);
    sums.red = _mm512_fmadd_ps(in[2], w, sums.red);
}

[[gnu::always_inline]] inline void loadPixel(const float* at, __m512 pixel[3]) {
    pixel[0] = _mm512_loadu_ps(at);
    pixel[1] = _mm512_loadu_ps(at + 16);
    pixel[2] = _mm512_loadu_ps(at + 32);
}

// 3 bytes x 16 rows per column, as the packed results are laid out.
[[gnu::always_inline]] inline void storeColumn(std::uint8_t* packed, const ColumnSums& sums) {
    storeSixteenBytes(packed, sums.blue);
    storeSixteenBytes(packed + 16, sums.green);
    storeSixteenBytes(packed + 32, sums.red);
}

// The sums of `n` neighbouring destination columns at once, each taking its weights in list
// order.
template <int n>
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
    ColumnSums sums[n];
#pragma GCC unroll 4
    for (int c = 0; c < n; ++c) {
        sums[c] = zeroSums();
    }
    for (int k = 0; k < common; ++k) {
#pragma GCC unroll 4
        for (int c = 0; c < n; ++c) {
            __m512 pixel[3];
            loadPixel(transposed + offsets[c][k], pixel);
            addWeighted(sums[c], pixel, weights[c][k].weight);
        }
    }
#pragma GCC unroll 4
    for (int c = 0; c < n; ++c) {
        for (int k = common; k < counts[c]; ++k) {
            __m512 pixel[3];
            loadPixel(transposed + offsets[c][k], pixel);
            addWeighted(sums[c], pixel, weights[c][k].weight);
        }
    }
#pragma GCC unroll 4
    for (int c = 0; c < n; ++c) {
        storeColumn(packed + c * avx512PixelFloats, sums[c]);
    }
}

// `count` source pixels from `in` on, each loaded once and added to those of the three columns
// that read it.
template <bool a, bool b, bool c>
[[gnu::always_inline]] inline void sharePixels(const float* in, int count, const PixelWeight* wa,
                                               const PixelWeight* wb, const PixelWeight* wc,
                                               ColumnSums sums[3]) {
#pragma GCC unroll 2
    for (int p = 0; p < count; ++p) {
        __m512 pixel[3];
        loadPixel(in + avx512PixelFloats * p, pixel);
        if (a) {
            addWeighted(sums[0], pixel, wa[p].weight);
        }
        if (b) {
            addWeighted(sums[1], pixel, wb[p].weight);
        }
        if (c) {
            addWeighted(sums[2], pixel, wc[p].weight);
        }
    }
}

// A group of three columns marked ColumnGroup::sharing, in the five stretches of the AVX2 pass.
void sumSharingColumns(const HorizontalJob& job, int firstColumn, int lowPixel,
                       const float* transposed, std::uint8_t* packed) {
    const std::int32_t* offsets = job.listOffsets + firstColumn;
    int start[3];
    int end[3];
    const PixelWeight* w[3];
    for (int c = 0; c < 3; ++c) {
        w[c] = job.entries + offsets[c];
        start[c] = w[c]->pixel - lowPixel;
        end[c] = start[c] + (offsets[c + 1] - offsets[c]);
    }
    const float* in = transposed;
    constexpr int step = avx512PixelFloats;
    ColumnSums sums[3] = {zeroSums(), zeroSums(), zeroSums()};
    sharePixels<true, false, false>(in + step * start[0], start[1] - start[0], w[0], w[1], w[2],
                                    sums);
    sharePixels<true, true, false>(in + step * start[1], start[2] - start[1],
                                   w[0] + (start[1] - start[0]), w[1], w[2], sums);
    sharePixels<true, true, true>(in + step * start[2], end[0] - start[2],
                                  w[0] + (start[2] - start[0]), w[1] + (start[2] - start[1]), w[2],
                                  sums);
    sharePixels<false, true, true>(in + step * end[0], end[1] - end[0], w[0],
                                   w[1] + (end[0] - start[1]), w[2] + (end[0] - start[2]), sums);
    sharePixels<false, false, true>(in + step * end[1], end[2] - end[1], w[0], w[1],
                                    w[2] + (end[1] - start[2]), sums);
    for (int c = 0; c < 3; ++c) {
        storeColumn(packed + c * avx512PixelFloats, sums[c]);
    }
}

struct Avx512Pass {
    using Rows = SixteenRows;
    static constexpr int packedPerColumn = avx512PixelFloats;
    static void convert(const Rows& rows, int firstByte, int byteCount, float* out) {
        convertSource(rows, firstByte, byteCount, out);
    }
    static void store(const Rows& rows, const std::uint8_t* packed, int firstByte, int byteCount) {
        storeRows(rows, packed, firstByte, byteCount);
    }
    static void sharing(const HorizontalJob& job, int firstColumn, int lowPixel,
                        const float* transposed, std::uint8_t* packed) {
        sumSharingColumns(job, firstColumn, lowPixel, transposed, packed);
    }
    template <int n>
    static void side(const HorizontalJob& job, int firstColumn, const float* transposed,
                     std::uint8_t* packed) {
        sumColumns<n>(job, firstColumn, transposed, packed);
    }
};

// The vertical pass 64 bytes a step, 16 bytes a vector.
struct Avx512Lanes {
    using Vector = __m512;
    static constexpr int floats = 16;
    static Vector zero() { return _mm512_setzero_ps(); }
    static Vector broadcast(float w) { return _mm512_set1_ps(w); }
    static Vector fmadd(Vector a, Vector b, Vector sum) { return _mm512_fmadd_ps(a, b, sum); }
    static Vector loadBytes(const std::uint8_t* p) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        return _mm512_cvtepi32_ps(_mm512_cvtepu8_epi32(bytes));
    }
    static void storeFour(std::uint8_t* out, const Vector sums[4]) {
#pragma GCC unroll 4
        for (int u = 0; u < 4; ++u) {
            storeSixteenBytes(out + 16 * u, sums[u]);
        }
    }
};

} // namespace

void horizontalPassAvx512(const HorizontalJob& job) {
    SixteenRows rows{};
    rows.count = job.rowCount;
    for (int r = 0; r < stripHeight; ++r) {
        rows.source[r] = job.sourceRows[r < job.rowCount ? r : job.rowCount - 1];
        rows.work[r] = r < job.rowCount ? job.workRows[r] : nullptr;
    }
    horizontalPassByBlocks<Avx512Pass>(job, rows);
}

void verticalPairAvx512(const VerticalPairJob& job) {
    verticalPairByVectors<Avx512Lanes>(job);
}

void verticalPassAvx512(const VerticalJob& job) {
    verticalPassByVectors<Avx512Lanes>(job);
}
