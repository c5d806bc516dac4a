#pragma once

#include "images/PassKernels.h"
#include "images/WeightList.h"

#include <memory_resource>
#include <vector>

// What the horizontal pass needs, from the sizes and the kernel alone: the column lists and the
// column blocks whose source the vector passes convert to floats in one go, `pixelFloats` per
// source pixel (0 for the portable pass, which converts nothing). Everything is kept in `memory`.
struct ColumnPlan {
    ColumnPlan(int sourceWidth, int destinationWidth, KernelFunction kernel, float support,
               int pixelFloats,
               std::pmr::memory_resource* memory = std::pmr::get_default_resource());

    // A generous bound on the bytes that a plan of these sizes and support takes.
    static std::size_t memoryEstimate(int sourceWidth, int destinationWidth, float support);

    WeightLists lists;
    std::pmr::vector<ColumnBlock> blocks;
    std::pmr::vector<ColumnGroup> groups;      // see HorizontalJob
    std::pmr::vector<std::int32_t> tapOffsets; // see HorizontalJob
    int maxBlockSpan = 0;                      // largest highPixel - lowPixel + 1 of a block
    int maxBlockColumns = 0;                   // largest endColumn - firstColumn of a block
};

// What the vertical pass needs: the row lists, and how many work rows must be kept so that it
// can go on while new ones arrive.
struct RowPlan {
    // `strips`: how many strips of the horizontal pass may be under way at once. Everything is
    // kept in `memory`.
    RowPlan(int sourceHeight, int destinationHeight, KernelFunction kernel, float support,
            int strips, std::pmr::memory_resource* memory = std::pmr::get_default_resource());

    // Generous bounds on the bytes that a plan of these sizes and support takes, and on its
    // ringRows.
    static std::size_t memoryEstimate(int sourceHeight, int destinationHeight, float support);
    static int ringRowsEstimate(int sourceHeight, int destinationHeight, float support, int strips);

    WeightLists lists;
    // lowestNeeded[r]: the lowest work row that destination rows r and later read; one entry
    // more than there are rows, holding the source height.
    std::pmr::vector<int> lowestNeeded;
    // Work rows held at once: row y lives in slot y % ringRows.
    int ringRows = 0;
    // pairsWithNext[r]: rows r and r + 1 can go through the vector passes together
    // (see VerticalPairJob).
    std::pmr::vector<char> pairsWithNext;
};

// The first source pixel of list i when its taps are a run of consecutive pixels (no mirrored
// or dropped ones), else -1.
int runStart(const WeightLists& lists, int i);
