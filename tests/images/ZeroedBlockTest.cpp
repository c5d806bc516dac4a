#include "images/ZeroedBlock.h"

#include "images/Bitmap24.h"
#include "images/WorkMemory.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <thread>
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

TEST(WorkMemory, ArraysFromSeveralThreadsAreAlignedAndApartAlsoBeyondTheBlock) {
    // Four threads take arrays of odd sizes, first from the block, then well past its end, and
    // fill each with their own mark; every array must be aligned as asked and keep its marks.
    for (const std::size_t blockBytes : {std::size_t{4000}, WorkMemory::hugePagesFrom}) {
        SCOPED_TRACE(::testing::Message() << blockBytes << " bytes in the block");
        WorkMemory memory(blockBytes);
        struct Taken {
            std::uint8_t* bytes;
            std::size_t count;
            std::uint8_t mark;
        };
        std::vector<std::vector<Taken>> taken(4);
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&memory, &taken, t, blockBytes] {
                std::size_t total = 0;
                for (int i = 0; total < 2 * blockBytes; ++i) {
                    const std::size_t count = 1 + static_cast<std::size_t>(i * 37 % 500);
                    const std::size_t alignment = std::size_t{1} << (i % 7);
                    auto* bytes = memory.allocateArray<std::uint8_t>(count, alignment);
                    if (reinterpret_cast<std::uintptr_t>(bytes) % alignment != 0) {
                        return; // found short below
                    }
                    const auto mark = static_cast<std::uint8_t>(t * 50 + i % 50);
                    std::fill_n(bytes, count, mark);
                    taken[static_cast<std::size_t>(t)].push_back({bytes, count, mark});
                    total += count;
                }
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        for (const auto& own : taken) {
            std::size_t total = 0;
            for (const Taken& array : own) {
                EXPECT_TRUE(allBytesAre(array.bytes, array.count, array.mark));
                total += array.count;
            }
            EXPECT_GE(total, 2 * blockBytes); // no thread stopped at a misaligned array
        }
    }
}
