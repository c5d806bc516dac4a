// Built with -mavx2 -mfma and called only where the processor has both. Nothing here may be an
// inline function or template shared with other units (the linker could keep this unit's copy
// for everyone), so the helpers have internal linkage and the scalar steps use intrinsics.
#include "PassKernels.h"
#include "PassKernelsX86.h"

#include <immintrin.h>

namespace {

// Eight rows of a strip, which the AVX2 pass takes together; a short strip's missing source
// rows repeat its last one, and their results are not stored.
struct EightRows {
    const std::uint8_t* source[avx2Rows];
    std::uint8_t* work[avx2Rows];
    int count;
};

// Transposes an 8 x 8 block of bytes: in[r] holds row r in its low 8 bytes; out[q] receives
// column 2q in its low and column 2q + 1 in its high 8 bytes.
[[gnu::always_inline]] inline void transpose8x8(const __m128i in[8], __m128i out[4]) {
    const __m128i a0 = _mm_unpacklo_epi8(in[0], in[1]);
    const __m128i a1 = _mm_unpacklo_epi8(in[2], in[3]);
    const __m128i a2 = _mm_unpacklo_epi8(in[4], in[5]);
    const __m128i a3 = _mm_unpacklo_epi8(in[6], in[7]);
    const __m128i b0 = _mm_unpacklo_epi16(a0, a1);
    const __m128i b1 = _mm_unpackhi_epi16(a0, a1);
    const __m128i b2 = _mm_unpacklo_epi16(a2, a3);
    const __m128i b3 = _mm_unpackhi_epi16(a2, a3);
    out[0] = _mm_unpacklo_epi32(b0, b2);
    out[1] = _mm_unpackhi_epi32(b0, b2);
    out[2] = _mm_unpacklo_epi32(b1, b3);
    out[3] = _mm_unpackhi_epi32(b1, b3);
}

[[gnu::always_inline]] inline void storeFloats(float* out, __m128i eightBytes) {
    _mm256_storeu_ps(out, _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(eightBytes)));
}

// The four bytes of a 32-bit element q of each 128-bit lane, each widened to 32 bits.
[[gnu::always_inline]] inline __m256i widenElement(__m256i bytes, int q) {
    const int at = 4 * q;
    const __m256i pick =
        _mm256_setr_epi32(static_cast<int>(0x80808000u + at), static_cast<int>(0x80808001u + at),
                          static_cast<int>(0x80808002u + at), static_cast<int>(0x80808003u + at),
                          static_cast<int>(0x80808000u + at), static_cast<int>(0x80808001u + at),
                          static_cast<int>(0x80808002u + at), static_cast<int>(0x80808003u + at));
    return _mm256_shuffle_epi8(bytes, pick);
}

// Converts source bytes [firstByte, firstByte + byteCount) of the eight rows to floats laid
// out byte by byte, the eight rows of each byte side by side: one vector per byte position.
void transposeSource(const std::uint8_t* const rows[avx2Rows], int firstByte, int byteCount,
                     float* out) {
    int b = 0;
    // Sixteen bytes at a time: rows r and r + 4 share a vector, one in each 128-bit lane, so
    // that the transposition never crosses lanes. After two rounds of interleaving, element q
    // of a lane holds one byte position of rows 0..3 (low lane) or 4..7 (high lane), which one
    // byte shuffle widens into the eight floats' integers in row order.
    for (; b + 16 <= byteCount; b += 16) {
        __m256i pairs[4];
#pragma GCC unroll 4
        for (int r = 0; r < 4; ++r) {
            const __m128i low =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r] + firstByte + b));
            const __m128i high =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r + 4] + firstByte + b));
            pairs[r] = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
        }
        const __m256i rows01Low = _mm256_unpacklo_epi8(pairs[0], pairs[1]);  // bytes 0..7
        const __m256i rows01High = _mm256_unpackhi_epi8(pairs[0], pairs[1]); // bytes 8..15
        const __m256i rows23Low = _mm256_unpacklo_epi8(pairs[2], pairs[3]);
        const __m256i rows23High = _mm256_unpackhi_epi8(pairs[2], pairs[3]);
        const __m256i fours[4] = {
            _mm256_unpacklo_epi16(rows01Low, rows23Low),   // bytes 0..3
            _mm256_unpackhi_epi16(rows01Low, rows23Low),   // bytes 4..7
            _mm256_unpacklo_epi16(rows01High, rows23High), // bytes 8..11
            _mm256_unpackhi_epi16(rows01High, rows23High), // bytes 12..15
        };
#pragma GCC unroll 4
        for (int k = 0; k < 4; ++k) {
#pragma GCC unroll 4
            for (int q = 0; q < 4; ++q) {
                _mm256_storeu_ps(out + (b + 4 * k + q) * 8,
                                 _mm256_cvtepi32_ps(widenElement(fours[k], q)));
            }
        }
    }
    for (; b + 8 <= byteCount; b += 8) {
        __m128i in[8];
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r) {
            in[r] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows[r] + firstByte + b));
        }
        __m128i columns[4];
        transpose8x8(in, columns);
#pragma GCC unroll 8
        for (int q = 0; q < 4; ++q) {
            storeFloats(out + (b + 2 * q) * 8, columns[q]);
            storeFloats(out + (b + 2 * q + 1) * 8, _mm_srli_si128(columns[q], 8));
        }
    }
    for (; b < byteCount; ++b) {
        for (int r = 0; r < 8; ++r) {
            out[b * 8 + r] = static_cast<float>(rows[r][firstByte + b]);
        }
    }
}

// Sixteen byte positions of the packed results, eight rows each, written back as sixteen bytes
// of each of the eight rows. Within 128-bit lanes, the two positions of each half-lane are
// interleaved, then words and double words of different vectors; a lane then holds eight
// positions of two rows, the other lane the other eight, which one permutation of 64-bit
// elements and one byte shuffle bring together.
[[gnu::always_inline]] inline void storeSixteenPositions(std::uint8_t* const rows[avx2Rows],
                                                         const std::uint8_t* packed, int at) {
    const __m256i interleave =
        _mm256_setr_epi8(0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15, 0, 8, 1, 9, 2, 10, 3,
                         11, 4, 12, 5, 13, 6, 14, 7, 15);
    __m256i pairs[4]; // word r of a lane: row r of two neighbouring positions
#pragma GCC unroll 4
    for (int k = 0; k < 4; ++k) {
        const __m256i in = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(packed + 32 * k));
        pairs[k] = _mm256_shuffle_epi8(in, interleave);
    }
    // Double word r of a lane: row r (or r + 4) at four positions.
    const __m256i rows0to3Low = _mm256_unpacklo_epi16(pairs[0], pairs[1]);
    const __m256i rows4to7Low = _mm256_unpackhi_epi16(pairs[0], pairs[1]);
    const __m256i rows0to3High = _mm256_unpacklo_epi16(pairs[2], pairs[3]);
    const __m256i rows4to7High = _mm256_unpackhi_epi16(pairs[2], pairs[3]);
    // Quad word q of a lane: one row at eight positions; the low lane holds positions 0, 1, 4,
    // 5, 8, 9, 12, 13, the high lane the others.
    const __m256i twoRows[4] = {
        _mm256_unpacklo_epi32(rows0to3Low, rows0to3High),
        _mm256_unpackhi_epi32(rows0to3Low, rows0to3High),
        _mm256_unpacklo_epi32(rows4to7Low, rows4to7High),
        _mm256_unpackhi_epi32(rows4to7Low, rows4to7High),
    };
    const __m256i inOrder = _mm256_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15,
                                             0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
#pragma GCC unroll 4
    for (int k = 0; k < 4; ++k) {
        const __m256i gathered = _mm256_permute4x64_epi64(twoRows[k], _MM_SHUFFLE(3, 1, 2, 0));
        const __m256i row = _mm256_shuffle_epi8(gathered, inOrder);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(rows[2 * k] + at), _mm256_castsi256_si128(row));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(rows[2 * k + 1] + at),
                         _mm256_extracti128_si256(row, 1));
    }
}

// Writes the packed results (eight rows side by side per byte) back as rows.
void storeRows(const EightRows& rows, const std::uint8_t* packed, int firstByte, int byteCount) {
    int b = 0;
    if (rows.count == avx2Rows) {
        for (; b + 16 <= byteCount; b += 16) {
            storeSixteenPositions(rows.work, packed + b * 8, firstByte + b);
        }
    }
    for (; b + 8 <= byteCount; b += 8) {
        __m128i in[8];
#pragma GCC unroll 8
        for (int j = 0; j < 8; ++j) {
            in[j] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(packed + (b + j) * 8));
        }
        __m128i transposed[4];
        transpose8x8(in, transposed);
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r) {
            if (r < rows.count) {
                const __m128i row =
                    (r & 1) ? _mm_srli_si128(transposed[r / 2], 8) : transposed[r / 2];
                _mm_storel_epi64(reinterpret_cast<__m128i*>(rows.work[r] + firstByte + b), row);
            }
        }
    }
    for (; b < byteCount; ++b) {
        for (int r = 0; r < rows.count; ++r) {
            rows.work[r][firstByte + b] = packed[b * 8 + r];
        }
    }
}

// The sums of `n` neighbouring destination columns at once, so that enough independent
// multiply-add chains are in flight. Each column takes its weights in list order.
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
    __m256 sums[n][3];
#pragma GCC unroll 4
    for (int c = 0; c < n; ++c) {
        sums[c][0] = sums[c][1] = sums[c][2] = _mm256_setzero_ps();
    }
    for (int k = 0; k < common; ++k) {
#pragma GCC unroll 4
        for (int c = 0; c < n; ++c) {
            const __m256 w = _mm256_set1_ps(weights[c][k].weight);
            const float* in = transposed + offsets[c][k];
            sums[c][0] = _mm256_fmadd_ps(_mm256_loadu_ps(in), w, sums[c][0]);
            sums[c][1] = _mm256_fmadd_ps(_mm256_loadu_ps(in + 8), w, sums[c][1]);
            sums[c][2] = _mm256_fmadd_ps(_mm256_loadu_ps(in + 16), w, sums[c][2]);
        }
    }
#pragma GCC unroll 4
    for (int c = 0; c < n; ++c) {
        for (int k = common; k < counts[c]; ++k) {
            const __m256 w = _mm256_set1_ps(weights[c][k].weight);
            const float* in = transposed + offsets[c][k];
            sums[c][0] = _mm256_fmadd_ps(_mm256_loadu_ps(in), w, sums[c][0]);
            sums[c][1] = _mm256_fmadd_ps(_mm256_loadu_ps(in + 8), w, sums[c][1]);
            sums[c][2] = _mm256_fmadd_ps(_mm256_loadu_ps(in + 16), w, sums[c][2]);
        }
    }
    // The 3n vectors go out in order, 3 bytes x 8 rows per column.
    if constexpr (n == 4) {
        storeFourVectors(packed, sums[0][0], sums[0][1], sums[0][2], sums[1][0]);
        storeFourVectors(packed + 32, sums[1][1], sums[1][2], sums[2][0], sums[2][1]);
        storeFourVectors(packed + 64, sums[2][2], sums[3][0], sums[3][1], sums[3][2]);
    } else {
        for (int c = 0; c < n; ++c) {
            for (int b = 0; b < 3; ++b) {
                storeEightBytes(packed + (c * 3 + b) * 8, sums[c][b]);
            }
        }
    }
}

struct ThreeSums {
    __m256 blue, green, red;
};

[[gnu::always_inline]] inline void addWeighted(ThreeSums& sums, const __m256 in[3],
                                               const PixelWeight& weight) {
    const __m256 w = _mm256_set1_ps(weight.weight);
    sums.blue = _mm256_fmadd_ps(in[0], w, sums.blue);
    sums.green = _mm256_fmadd_ps(in[1], w, sums.green);
    sums.red = _mm256_fmadd_ps(in[2], w, sums.red);
}

// `count` source pixels from `in` on, each added to those of the three columns that read it.
template <bool a, bool b, bool c>
[[gnu::always_inline]] inline void sharePixels(const float* in, int count, const PixelWeight* wa,
                                               const PixelWeight* wb, const PixelWeight* wc,
                                               ThreeSums sums[3]) {
    // The stretches are a few pixels long, so the loop's own counting costs a good share of
    // the work; unrolled, it is paid once per two pixels.
#pragma GCC unroll 2
    for (int p = 0; p < count; ++p) {
        const float* at = in + avx2PixelFloats * p;
        const __m256 pixel[3] = {_mm256_loadu_ps(at), _mm256_loadu_ps(at + 8),
                                 _mm256_loadu_ps(at + 16)};
        if (a) {
            addWeighted(sums[0], pixel, wa[p]);
        }
        if (b) {
            addWeighted(sums[1], pixel, wb[p]);
        }
        if (c) {
            addWeighted(sums[2], pixel, wc[p]);
        }
    }
}

// A group of three columns marked ColumnGroup::sharing: their runs overlap, so the pixels go
// through in five stretches, read by the first column only, the first two, all three, the last
// two, the last one; each column still takes its weights in list order.
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
    const float* in = transposed;
    ThreeSums sums[3];
    for (ThreeSums& s : sums) {
        s = {_mm256_setzero_ps(), _mm256_setzero_ps(), _mm256_setzero_ps()};
    }
    sharePixels<true, false, false>(in + avx2PixelFloats * start[0], start[1] - start[0], w[0],
                                    w[1], w[2], sums);
    sharePixels<true, true, false>(in + avx2PixelFloats * start[1], start[2] - start[1],
                                   w[0] + (start[1] - start[0]), w[1], w[2], sums);
    sharePixels<true, true, true>(in + avx2PixelFloats * start[2], end[0] - start[2],
                                  w[0] + (start[2] - start[0]), w[1] + (start[2] - start[1]), w[2],
                                  sums);
    sharePixels<false, true, true>(in + avx2PixelFloats * end[0], end[1] - end[0], w[0],
                                   w[1] + (end[0] - start[1]), w[2] + (end[0] - start[2]), sums);
    sharePixels<false, false, true>(in + avx2PixelFloats * end[1], end[2] - end[1], w[0], w[1],
                                    w[2] + (end[1] - start[2]), sums);
    // 3 bytes x 8 rows per column.
    storeFourVectors(packed, sums[0].blue, sums[0].green, sums[0].red, sums[1].blue);
    storeFourVectors(packed + 32, sums[1].green, sums[1].red, sums[2].blue, sums[2].green);
    storeEightBytes(packed + 64, sums[2].red);
}

struct Avx2Pass {
    using Rows = EightRows;
    static constexpr int packedPerColumn = avx2PixelFloats;
    static void convert(const Rows& rows, int firstByte, int byteCount, float* out) {
        transposeSource(rows.source, firstByte, byteCount, out);
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

} // namespace

void horizontalPassAvx2(const HorizontalJob& job) {
    for (int first = 0; first < job.rowCount; first += avx2Rows) {
        EightRows rows{};
        rows.count = job.rowCount - first < avx2Rows ? job.rowCount - first : avx2Rows;
        for (int r = 0; r < avx2Rows; ++r) {
            rows.source[r] = job.sourceRows[first + (r < rows.count ? r : rows.count - 1)];
            rows.work[r] = r < rows.count ? job.workRows[first + r] : nullptr;
        }
        horizontalPassByBlocks<Avx2Pass>(job, rows);
    }
}

namespace {

struct Avx2Lanes {
    using Vector = __m256;
    static constexpr int floats = 8;
    static Vector zero() { return _mm256_setzero_ps(); }
    static Vector broadcast(float w) { return _mm256_set1_ps(w); }
    static Vector fmadd(Vector a, Vector b, Vector sum) { return _mm256_fmadd_ps(a, b, sum); }
    static Vector loadBytes(const std::uint8_t* p) { return loadBytesAsFloats(p); }
    static void storeFour(std::uint8_t* out, const Vector sums[4]) {
        storeFourVectors(out, sums[0], sums[1], sums[2], sums[3]);
    }
};

} // namespace

void verticalPairAvx2(const VerticalPairJob& job) {
    verticalPairByVectors<Avx2Lanes>(job);
}

void verticalPassAvx2(const VerticalJob& job) {
    verticalPassByVectors<Avx2Lanes>(job);
}
