#pragma once

#include "PassKernels.h"
#include "WeightList.h"

#include <vector>

// Everything about one resampling run that follows from the sizes and the kernel alone: the
// weight lists of both passes, the column blocks of the horizontal pass, and how many work rows
// must be kept for the vertical pass to go on while new ones arrive.
struct ResamplePlan {
    // sourceWidth and sourceHeight >= 1; destinationWidth and destinationHeight >= 1.
    ResamplePlan(int sourceWidth, int sourceHeight, int destinationWidth, int destinationHeight,
                 KernelFunction kernel, float support, int threads);

    int sourceWidth;
    int sourceHeight;
    int destinationWidth;
    int destinationHeight;
    WeightLists columns;
    WeightLists rows;
    std::vector<ColumnBlock> blocks;
    int maxBlockSpan = 0;    // largest highPixel - lowPixel + 1 of a block
    int maxBlockColumns = 0; // largest endColumn - firstColumn of a block
    // lowestNeeded[r]: the lowest work row that destination rows r and later read; one entry
    // more than there are rows, holding sourceHeight.
    std::vector<int> lowestNeeded;
    // Work rows held at once: row y lives in slot y % ringRows.
    int ringRows = 0;
};
