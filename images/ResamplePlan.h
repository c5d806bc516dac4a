#pragma once

#include "PassKernels.h"
#include "WeightList.h"

#include <vector>

// What the horizontal pass needs, from the sizes and the kernel alone: the column lists and the
// column blocks whose source the AVX2 pass converts to floats in one go.
struct ColumnPlan {
    ColumnPlan(int sourceWidth, int destinationWidth, KernelFunction kernel, float support);

    WeightLists lists;
    std::vector<ColumnBlock> blocks;
    std::vector<ColumnGroup> groups;      // see HorizontalJob
    std::vector<std::int32_t> tapOffsets; // see HorizontalJob
    int maxBlockSpan = 0;                 // largest highPixel - lowPixel + 1 of a block
    int maxBlockColumns = 0;              // largest endColumn - firstColumn of a block
};

// What the vertical pass needs: the row lists, and how many work rows must be kept so that it
// can go on while new ones arrive.
struct RowPlan {
    // `strips`: how many strips of the horizontal pass may be under way at once.
    RowPlan(int sourceHeight, int destinationHeight, KernelFunction kernel, float support,
            int strips);

    WeightLists lists;
    // lowestNeeded[r]: the lowest work row that destination rows r and later read; one entry
    // more than there are rows, holding the source height.
    std::vector<int> lowestNeeded;
    // Work rows held at once: row y lives in slot y % ringRows.
    int ringRows = 0;
    // pairsWithNext[r]: rows r and r + 1 can go through the AVX2 pass together
    // (see VerticalPairJob).
    std::vector<char> pairsWithNext;
};

// The first source pixel of list i when its taps are a run of consecutive pixels (no mirrored
// or dropped ones), else -1.
int runStart(const WeightLists& lists, int i);
