#include "ZeroedBlock.h"

#include "Bitmap24.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

bool allBytesAre(const std::uint8_t* block, std::size_t bytes, std::uint8_t value) {
    return std::all_of(block, block + bytes, [value](std::uint8_t b) { return b == value; });
}

} // namespace

TEST(ZeroedBlock, LargeBlocksLieInWholeAlignedHugePagesSmallOnesDoNot) {
    // Each block is zeroed, holds all its bytes, and keeps them apart from the other blocks
    // alive at the same time; a block made after one was written and freed is zeroed again.
    for (int round = 0; round < 2; ++round) {
        std::vector<std::pair<ZeroedBlock, std::size_t>> blocks;
        for (const std::size_t bytes : {std::size_t{1}, largeBlockBytes - 1, largeBlockBytes,
                                        hugePageBytes, hugePageBytes + 1, 3 * hugePageBytes - 7}) {
            SCOPED_TRACE(::testing::Message() << bytes << " bytes, round " << round);
            ZeroedBlock block = allocateZeroed(bytes);
            ASSERT_NE(block, nullptr);
            EXPECT_TRUE(allBytesAre(block.get(), bytes, 0));
            const bool large = bytes >= largeBlockBytes;
            EXPECT_EQ(mappedInHugePages(block), large);
            if (large) {
                EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.get()) % hugePageBytes, 0u);
            }
            std::fill_n(block.get(), bytes, static_cast<std::uint8_t>(blocks.size() + 1));
            blocks.emplace_back(std::move(block), bytes);
        }
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            EXPECT_TRUE(allBytesAre(blocks[i].first.get(), blocks[i].second,
                                    static_cast<std::uint8_t>(i + 1)))
                << blocks[i].second << " bytes";
        }
    }
    EXPECT_EQ(allocateZeroed(0), nullptr);
}

TEST(ZeroedBlock, LargeBitmapsStartZeroedAndCloneWhole) {
    Bitmap24 picture(1470, 980); // about 4.3 MB: mapped in huge pages
    const auto rowBytes = static_cast<std::size_t>(picture.width()) * 3;
    for (int y = 0; y < picture.height(); ++y) {
        ASSERT_TRUE(allBytesAre(picture.row(y), rowBytes, 0)) << "row " << y;
        std::fill_n(picture.row(y), rowBytes, static_cast<std::uint8_t>(y));
    }
    const Bitmap24 copy = picture.clone();
    EXPECT_TRUE(copy.samePixels(picture));
    Bitmap24 moved = std::move(picture);
    EXPECT_TRUE(moved.samePixels(copy));
    EXPECT_EQ(moved.row(979)[rowBytes - 1], 979 % 256);
}
