#include "images/ResamplePlan.h"

#include <algorithm>
#include <cmath>

namespace {

// A block grows by this many columns at a time while its converted source (span * pixel floats)
// stays within the budget, which keeps it in the first-level cache.
constexpr int blockColumnStep = 8;
constexpr int blockFloatBudget = 7680;

std::pmr::vector<ColumnBlock> makeBlocks(const WeightLists& columns, int pixelFloats,
                                         std::pmr::memory_resource* memory) {
    const int spanBudget = blockFloatBudget / std::max(pixelFloats, avx2PixelFloats);
    std::pmr::vector<ColumnBlock> blocks(memory);
    const int width = columns.size();
    int first = 0;
    while (first < width) {
        ColumnBlock block{first, first, 0x7fffffff, -1};
        while (block.endColumn < width) {
            const int end = std::min(width, block.endColumn + blockColumnStep);
            int low = block.lowPixel;
            int high = block.highPixel;
            for (int i = block.endColumn; i < end; ++i) {
                if (columns[i].count > 0) {
                    low = std::min(low, columns.lowestPixel(i));
                    high = std::max(high, columns.highestPixel(i));
                }
            }
            if (block.endColumn > first && high - low + 1 > spanBudget) {
                break;
            }
            block.endColumn = end;
            block.lowPixel = low;
            block.highPixel = high;
        }
        if (block.highPixel < block.lowPixel) { // only empty lists: nothing to read
            block.lowPixel = 0;
            block.highPixel = 0;
        }
        blocks.push_back(block);
        first = block.endColumn;
    }
    return blocks;
}

// Whether lists a, a + 1 and a + 2, all runs, start and end in order with the third starting
// before the first ends.
bool canShare(const WeightLists& columns, int a) {
    int starts[3];
    int ends[3];
    for (int c = 0; c < 3; ++c) {
        starts[c] = runStart(columns, a + c);
        if (starts[c] < 0) {
            return false;
        }
        ends[c] = starts[c] + columns[a + c].count;
    }
    return starts[0] <= starts[1] && starts[1] <= starts[2] && starts[2] <= ends[0] &&
           ends[0] <= ends[1] && ends[1] <= ends[2];
}

std::pmr::vector<ColumnGroup> makeGroups(const WeightLists& columns,
                                         const std::pmr::vector<ColumnBlock>& blocks,
                                         std::pmr::memory_resource* memory) {
    std::pmr::vector<ColumnGroup> groups(static_cast<std::size_t>(columns.size()),
                                         ColumnGroup::inside, memory);
    for (const ColumnBlock& block : blocks) {
        for (int i = block.firstColumn; i < block.endColumn;) {
            const int left = block.endColumn - i;
            const auto at = static_cast<std::size_t>(i);
            if (left >= 3 && canShare(columns, i)) {
                groups[at] = ColumnGroup::sharing;
                i += 3;
            } else if (left >= 4) {
                groups[at] = ColumnGroup::four;
                i += 4;
            } else {
                groups[at] = ColumnGroup::single;
                i += 1;
            }
        }
    }
    return groups;
}

} // namespace

int runStart(const WeightLists& lists, int i) {
    const WeightList list = lists[i];
    if (list.count == 0) {
        return -1;
    }
    for (int k = 1; k < list.count; ++k) {
        if (list.weights[k].pixel != list.weights[0].pixel + k) {
            return -1;
        }
    }
    return list.weights[0].pixel;
}

ColumnPlan::ColumnPlan(int sourceWidth, int destinationWidth, KernelFunction kernel, float support,
                       int pixelFloats, std::pmr::memory_resource* memory)
    : lists(destinationWidth, sourceWidth, kernel, support, memory),
      blocks(makeBlocks(lists, pixelFloats, memory)), groups(makeGroups(lists, blocks, memory)),
      tapOffsets(memory) {
    tapOffsets.resize(static_cast<std::size_t>(lists.offsetData()[lists.size()]));
    for (const ColumnBlock& block : blocks) {
        maxBlockSpan = std::max(maxBlockSpan, block.highPixel - block.lowPixel + 1);
        maxBlockColumns = std::max(maxBlockColumns, block.endColumn - block.firstColumn);
        for (int i = block.firstColumn; i < block.endColumn; ++i) {
            const WeightList list = lists[i];
            const std::int32_t first = lists.offsetData()[i];
            for (int k = 0; k < list.count; ++k) {
                tapOffsets[static_cast<std::size_t>(first + k)] =
                    (list.weights[k].pixel - block.lowPixel) * pixelFloats;
            }
        }
    }
}

std::size_t ColumnPlan::memoryEstimate(int sourceWidth, int destinationWidth, float support) {
    // The lists; a tap offset per entry, at most as many as the lists reserve room for; a group
    // mark per column; a block per column at most.
    const std::size_t lists = WeightLists::memoryEstimate(destinationWidth, sourceWidth, support);
    const auto columns = static_cast<std::size_t>(std::max(destinationWidth, 0));
    return lists + lists / sizeof(PixelWeight) * sizeof(std::int32_t) +
           columns * (sizeof(ColumnGroup) + sizeof(ColumnBlock));
}

RowPlan::RowPlan(int sourceHeight, int destinationHeight, KernelFunction kernel, float support,
                 int strips, std::pmr::memory_resource* memory)
    : lists(destinationHeight, sourceHeight, kernel, support, memory), lowestNeeded(memory),
      pairsWithNext(memory) {
    lowestNeeded.assign(static_cast<std::size_t>(destinationHeight) + 1, sourceHeight);
    for (int r = destinationHeight - 1; r >= 0; --r) {
        const int low = lists[r].count > 0 ? lists.lowestPixel(r) : sourceHeight;
        lowestNeeded[r] = std::min(low, lowestNeeded[r + 1]);
    }

    // Destination rows are handed out in order, so row r waits for every work row up to the
    // highest that rows 0..r read, while the rows from lowestNeeded[r] on must still be kept.
    // One strip more than that window lets the passes always go on; a strip more for each
    // strip under way lets them overlap.
    int window = 0;
    int highestSoFar = -1;
    for (int r = 0; r < destinationHeight; ++r) {
        highestSoFar = std::max(highestSoFar, lists.highestPixel(r));
        window = std::max(window, highestSoFar - lowestNeeded[r] + 1);
    }
    const long long wanted = static_cast<long long>(window) + stripHeight * (1LL + strips);
    ringRows = static_cast<int>(std::min<long long>(wanted, sourceHeight));

    pairsWithNext.assign(static_cast<std::size_t>(destinationHeight), 0);
    for (int r = 0; r + 1 < destinationHeight; ++r) {
        const int first = runStart(lists, r);
        const int second = runStart(lists, r + 1);
        const int firstEnd = first + lists[r].count;
        pairsWithNext[static_cast<std::size_t>(r)] = first >= 0 && second >= first &&
                                                     second <= firstEnd &&
                                                     firstEnd <= second + lists[r + 1].count;
    }
}

std::size_t RowPlan::memoryEstimate(int sourceHeight, int destinationHeight, float support) {
    const auto rowCount = static_cast<std::size_t>(std::max(destinationHeight, 0));
    return WeightLists::memoryEstimate(destinationHeight, sourceHeight, support) +
           (rowCount + 1) * sizeof(int) + rowCount;
}

int RowPlan::ringRowsEstimate(int sourceHeight, int destinationHeight, float support, int strips) {
    // The window above is at most the longest span of a list, about 2 * reach + 1 rows
    // (mirrored taps fall inside the unmirrored span); a few rows more for good measure.
    const float reach = resampleReach(resampleScale(destinationHeight, sourceHeight), support);
    const double window = std::ceil(2.0 * reach) + 6.0;
    return static_cast<int>(std::min(window + stripHeight * (1.0 + strips),
                                     static_cast<double>(std::max(sourceHeight, 0))));
}
