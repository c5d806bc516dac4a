#pragma once

#include "images/WeightList.h"

#include <cstdint>

// The inner loops of the two passes, in a portable, an AVX2 + FMA and an AVX-512 version that
// give the same bytes. Each vector version lives in a translation unit of its own, built for
// its instruction set and called only on processors that have it; so these interfaces carry
// plain data only, and those units use nothing inline from shared headers but their own
// internal copies.

// Destination columns [firstColumn, endColumn) of the horizontal pass read only the source
// pixels lowPixel..highPixel, which the vector versions convert to floats in one go.
struct ColumnBlock {
    std::int32_t firstColumn;
    std::int32_t endColumn;
    std::int32_t lowPixel;
    std::int32_t highPixel;
};

// Source rows that the horizontal pass takes at a time. The AVX-512 version sums all sixteen
// in one vector per colour; the AVX2 version takes them as two halves of eight.
constexpr int stripHeight = 16;
constexpr int avx2Rows = 8;

// The vector versions convert source bytes and write results back in steps of this many bytes;
// a block's last step may run past its last pixel or column (see HorizontalJob).
constexpr int passStepBytes = 16;

// Floats per source pixel in the converted strip of each vector version: three colours of its
// rows.
constexpr int avx2PixelFloats = 3 * avx2Rows;
constexpr int avx512PixelFloats = 3 * stripHeight;

// How the vector horizontal passes take the destination columns of a block, marked at the first
// column of each group.
enum class ColumnGroup : std::uint8_t {
    inside,  // a later column of a group
    single,  // one column on its own
    four,    // four columns side by side
    sharing, // three columns whose taps are runs of consecutive source pixels, each run
             // starting and ending no earlier than the one before, the third starting before
             // the first ends: each source vector is loaded once for all three
};

// The horizontal pass over a strip of up to stripHeight source rows.
struct HorizontalJob {
    const std::int32_t* listOffsets; // list i is entries[listOffsets[i] .. listOffsets[i + 1])
    const PixelWeight* entries;
    // For each entry, where its source pixel's floats start in `transposed`: (pixel - lowPixel
    // of the entry's block) * the version's pixel floats. Used by the vector passes only.
    const std::int32_t* tapOffsets;
    const ColumnBlock* blocks;
    const ColumnGroup* groups; // per destination column; used by the vector passes only
    int blockCount;
    int destinationWidth;
    int rowCount;
    const std::uint8_t* sourceRows[stripHeight];
    std::uint8_t* workRows[stripHeight];
    // The vector passes take whole steps of passStepBytes where they can: they may convert
    // source bytes past a block's last pixel, up to sourceRowBytes, and write results past its
    // last column, up to workRowBytes (the next block then writes its own).
    int sourceRowBytes;
    int workRowBytes;
    // Scratch of the vector passes, with room for one step beyond a block: the floats of
    // (highPixel - lowPixel + 1) * 3 + passStepBytes source bytes (one vector each), and
    // stripHeight bytes for each of (endColumn - firstColumn) * 3 + passStepBytes result bytes.
    float* transposed;
    std::uint8_t* packed;
};

// One destination row of the vertical pass: the weighted sum of the tap rows, byte by byte.
struct VerticalJob {
    const PixelWeight* weights;
    const std::uint8_t* const* tapRows; // the work row of each weight
    int count;
    int rowBytes;
    std::uint8_t* out;
};

// Two neighbouring destination rows whose taps are runs of consecutive work rows, the second
// run starting within the first and ending no earlier: each tap row is converted once for both.
struct VerticalPairJob {
    const PixelWeight* firstWeights;
    int firstCount;
    const PixelWeight* secondWeights;
    int secondCount;
    int secondShift;                    // the second run starts this many rows after the first
    const std::uint8_t* const* tapRows; // the work rows from the first's first to the second's last
    int rowBytes;
    std::uint8_t* firstOut;
    std::uint8_t* secondOut;
};

void horizontalPassPortable(const HorizontalJob& job);
void verticalPassPortable(const VerticalJob& job);
void horizontalPassAvx2(const HorizontalJob& job);
void verticalPassAvx2(const VerticalJob& job);
void verticalPairAvx2(const VerticalPairJob& job);
void horizontalPassAvx512(const HorizontalJob& job);
void verticalPassAvx512(const VerticalJob& job);
void verticalPairAvx512(const VerticalPairJob& job);

// The three inner loops of one path.
struct PassKernelSet {
    void (*horizontal)(const HorizontalJob&);
    void (*vertical)(const VerticalJob&);
    void (*verticalPair)(const VerticalPairJob&); // null for the portable path
    int pixelFloats;                              // in the converted strip; 0 when not converted
};
