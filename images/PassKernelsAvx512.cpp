// Built with -mavx512f -mavx512vl -mavx512bw (and AVX2 + FMA) and called only where the
// processor has them. The sums are the shared ones of PassKernelsX86.h with twice as many lanes
// per instruction as the AVX2 passes: in the horizontal pass one vector holds a colour's sums of
// a column over a whole strip of sixteen rows; in the vertical pass each vector covers 16 bytes
// of a row. As in the AVX2 unit, nothing here is an inline function or template shared with
// other units.
#include "images/PassKernels.h"
#include "images/PassKernelsX86.h"

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

// Sixteen rows (horizontal pass) or sixteen bytes of a row (vertical pass) a vector.
struct Avx512Lanes {
    using Vector = __m512;
    static constexpr int floats = 16;
    static Vector zero() { return _mm512_setzero_ps(); }
    static Vector broadcast(float w) { return _mm512_set1_ps(w); }
    static Vector fmadd(Vector a, Vector b, Vector sum) { return _mm512_fmadd_ps(a, b, sum); }
    static Vector loadFloats(const float* p) { return _mm512_loadu_ps(p); }
    static Vector loadBytes(const std::uint8_t* p) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        return _mm512_cvtepi32_ps(_mm512_cvtepu8_epi32(bytes));
    }
    template <int count> static void storeSums(std::uint8_t* out, const Vector sums[count]) {
#pragma GCC unroll 12
        for (int i = 0; i < count; ++i) {
            storeSixteenBytes(out + 16 * i, sums[i]);
        }
    }
};

struct Avx512Pass {
    using Rows = SixteenRows;
    using Lanes = Avx512Lanes;
    // The plan places each pixel's floats avx512PixelFloats apart; the sums step by three vectors.
    static_assert(avx512PixelFloats == 3 * Lanes::floats);
    static void convert(const Rows& rows, int firstByte, int byteCount, float* out) {
        convertSource(rows, firstByte, byteCount, out);
    }
    static void store(const Rows& rows, const std::uint8_t* packed, int firstByte, int byteCount) {
        storeRows(rows, packed, firstByte, byteCount);
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
