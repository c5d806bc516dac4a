// Built with -mavx2 -mfma and called only where the processor has both. Nothing here may be an
// inline function or template shared with other units (the linker could keep this unit's copy
// for everyone), so the helpers have internal linkage and the scalar steps use intrinsics.
#include "images/PassKernels.h"
#include "images/PassKernelsX86.h"

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

struct Avx2Lanes {
    using Vector = __m256;
    static constexpr int floats = 8;
    static Vector zero() { return _mm256_setzero_ps(); }
    static Vector broadcast(float w) { return _mm256_set1_ps(w); }
    static Vector fmadd(Vector a, Vector b, Vector sum) { return _mm256_fmadd_ps(a, b, sum); }
    static Vector loadFloats(const float* p) { return _mm256_loadu_ps(p); }
    static Vector loadBytes(const std::uint8_t* p) { return loadBytesAsFloats(p); }
    // Four vectors at a time through one permutation, the rest eight bytes each.
    template <int count> static void storeSums(std::uint8_t* out, const Vector sums[count]) {
        constexpr int inFours = count / 4 * 4;
        for (int i = 0; i < inFours; i += 4) {
            storeFourVectors(out + 8 * i, sums[i], sums[i + 1], sums[i + 2], sums[i + 3]);
        }
        for (int i = inFours; i < count; ++i) {
            storeEightBytes(out + 8 * i, sums[i]);
        }
    }
};

struct Avx2Pass {
    using Rows = EightRows;
    using Lanes = Avx2Lanes;
    // The plan places each pixel's floats avx2PixelFloats apart; the sums step by three vectors.
    static_assert(avx2PixelFloats == 3 * Lanes::floats);
    static void convert(const Rows& rows, int firstByte, int byteCount, float* out) {
        transposeSource(rows.source, firstByte, byteCount, out);
    }
    static void store(const Rows& rows, const std::uint8_t* packed, int firstByte, int byteCount) {
        storeRows(rows, packed, firstByte, byteCount);
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

void verticalPairAvx2(const VerticalPairJob& job) {
    verticalPairByVectors<Avx2Lanes>(job);
}

void verticalPassAvx2(const VerticalJob& job) {
    verticalPassByVectors<Avx2Lanes>(job);
}
