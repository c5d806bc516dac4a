// Built with -mavx2 -mfma and called only where the processor has both. Nothing here may be an
// inline function or template shared with other units (the linker could keep this unit's copy
// for everyone), so the helpers have internal linkage and the scalar steps use intrinsics.
#include "PassKernels.h"

#include <immintrin.h>

namespace {

[[gnu::always_inline]] inline __m256 loadBytesAsFloats(const std::uint8_t* p) {
    const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    return _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(bytes));
}

// Clamp to 0..255 and round to the nearest integer, ties to even (the default rounding mode),
// then store the eight results as bytes.
[[gnu::always_inline]] inline void storeEightBytes(std::uint8_t* out, __m256 sums) {
    const __m256 clamped =
        _mm256_min_ps(_mm256_max_ps(sums, _mm256_setzero_ps()), _mm256_set1_ps(255.0f));
    const __m256i ints = _mm256_cvtps_epi32(clamped);
    const __m128i words =
        _mm_packus_epi32(_mm256_castsi256_si128(ints), _mm256_extracti128_si256(ints, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words, words));
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

// Converts source bytes [firstByte, firstByte + byteCount) of the eight rows to floats laid
// out byte by byte, the eight rows of each byte side by side: one vector per byte position.
void transposeSource(const std::uint8_t* const rows[stripHeight], int firstByte, int byteCount,
                     float* out) {
    int b = 0;
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
        for (int b = 0; b < 3; ++b) {
            storeEightBytes(packed + (c * 3 + b) * 8, sums[c][b]);
        }
    }
}

// Writes the packed results (eight rows side by side per byte) back as rows.
void storeRows(const HorizontalJob& job, const std::uint8_t* packed, int firstByte, int byteCount) {
    int b = 0;
    for (; b + 8 <= byteCount; b += 8) {
        __m128i in[8];
#pragma GCC unroll 8
        for (int j = 0; j < 8; ++j) {
            in[j] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(packed + (b + j) * 8));
        }
        __m128i rows[4];
        transpose8x8(in, rows);
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r) {
            if (r < job.rowCount) {
                const __m128i row = (r & 1) ? _mm_srli_si128(rows[r / 2], 8) : rows[r / 2];
                _mm_storel_epi64(reinterpret_cast<__m128i*>(job.workRows[r] + firstByte + b), row);
            }
        }
    }
    for (; b < byteCount; ++b) {
        for (int r = 0; r < job.rowCount; ++r) {
            job.workRows[r][firstByte + b] = packed[b * 8 + r];
        }
    }
}

} // namespace

void horizontalPassAvx2(const HorizontalJob& job) {
    // Missing rows of a short strip repeat the last one; their results are not stored.
    const std::uint8_t* rows[stripHeight];
    for (int r = 0; r < stripHeight; ++r) {
        rows[r] = job.sourceRows[r < job.rowCount ? r : job.rowCount - 1];
    }
    for (int blockIndex = 0; blockIndex < job.blockCount; ++blockIndex) {
        const ColumnBlock& block = job.blocks[blockIndex];
        transposeSource(rows, block.lowPixel * 3, (block.highPixel - block.lowPixel + 1) * 3,
                        job.transposed);
        int i = block.firstColumn;
        for (; i + 4 <= block.endColumn; i += 4) {
            sumColumns<4>(job, i, job.transposed, job.packed + (i - block.firstColumn) * 24);
        }
        for (; i < block.endColumn; ++i) {
            sumColumns<1>(job, i, job.transposed, job.packed + (i - block.firstColumn) * 24);
        }
        storeRows(job, job.packed, block.firstColumn * 3,
                  (block.endColumn - block.firstColumn) * 3);
    }
}

void verticalPassAvx2(const VerticalJob& job) {
    int x = 0;
    for (; x + 32 <= job.rowBytes; x += 32) {
        __m256 sums[4] = {_mm256_setzero_ps(), _mm256_setzero_ps(), _mm256_setzero_ps(),
                          _mm256_setzero_ps()};
        for (int k = 0; k < job.count; ++k) {
            const __m256 w = _mm256_set1_ps(job.weights[k].weight);
            const std::uint8_t* in = job.tapRows[k] + x;
#pragma GCC unroll 4
            for (int u = 0; u < 4; ++u) {
                sums[u] = _mm256_fmadd_ps(loadBytesAsFloats(in + 8 * u), w, sums[u]);
            }
        }
#pragma GCC unroll 4
        for (int u = 0; u < 4; ++u) {
            storeEightBytes(job.out + x + 8 * u, sums[u]);
        }
    }
    for (; x + 8 <= job.rowBytes; x += 8) {
        __m256 sum = _mm256_setzero_ps();
        for (int k = 0; k < job.count; ++k) {
            sum = _mm256_fmadd_ps(loadBytesAsFloats(job.tapRows[k] + x),
                                  _mm256_set1_ps(job.weights[k].weight), sum);
        }
        storeEightBytes(job.out + x, sum);
    }
    for (; x < job.rowBytes; ++x) {
        float sum = 0.0f;
        for (int k = 0; k < job.count; ++k) {
            sum = scalarAddWeighted(sum, job.tapRows[k][x], job.weights[k].weight);
        }
        job.out[x] = scalarSumToByte(sum);
    }
}
