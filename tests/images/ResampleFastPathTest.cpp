#include "ResampleTestPictures.h"
#include "images/ResampleBitmap.h"
#include "images/StreamingResampler.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

// The vectorised passes, every thread count and the streaming engine must give exactly the
// bytes of the plain reference, on random pictures of random sizes.

namespace {

// Feeds the source in strips of `stripRows`, each strip in one of three ways in turn: copied
// from one reused buffer that is scribbled over after every call (a resampler that kept the
// caller's rows instead of copying them would read garbage), retained straight from the
// source, or written into the resampler's own buffers, committing one row fewer than offered
// where it can.
void streamInStrips(const Bitmap24& source, Bitmap24& destination, KernelFunction kernel,
                    float support, ResampleOptions options, int stripRows) {
    StreamingResampler resampler(source.width(), source.height(), kernel, support, destination,
                                 options);
    const auto rowBytes = static_cast<std::size_t>(source.width()) * 3;
    std::vector<std::uint8_t> buffer(rowBytes * static_cast<std::size_t>(stripRows));
    std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(stripRows));
    for (int y = 0, strip = 0; y < source.height(); y += stripRows, ++strip) {
        const int count = std::min(stripRows, source.height() - y);
        if (strip % 3 == 2) {
            for (int done = 0; done < count;) {
                std::uint8_t* buffers[64];
                const int offered = resampler.beginRows(buffers, count - done);
                const int taken = offered > 1 ? offered - 1 : offered;
                for (int i = 0; i < offered; ++i) {
                    std::memcpy(buffers[i], source.row(y + done + i), rowBytes);
                }
                resampler.commitRows(taken);
                done += taken;
            }
            continue;
        }
        const bool retained = strip % 3 == 1;
        for (int i = 0; i < count; ++i) {
            std::uint8_t* copy = buffer.data() + rowBytes * static_cast<std::size_t>(i);
            std::memcpy(copy, source.row(y + i), rowBytes);
            rows[static_cast<std::size_t>(i)] = retained ? source.row(y + i) : copy;
        }
        if (retained) {
            resampler.feedRetained(rows.data(), count);
        } else {
            resampler.feed(rows.data(), count);
        }
        std::fill(buffer.begin(), buffer.end(), std::uint8_t{0x5A});
    }
    resampler.finish();
}

struct Size {
    int width;
    int height;
};

class FastPaths : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(FastPaths, MatchTheReferenceOnRandomPictures) {
    const KernelTableEntry& entry = KernelTable[static_cast<std::size_t>(GetParam())];
    std::mt19937 rng(1000u + static_cast<unsigned>(GetParam()));
    std::vector<SimdPath> paths{SimdPath::Portable};
    if (avx2Available()) {
        paths.push_back(SimdPath::Avx2);
    }
    if (avx512Available()) {
        paths.push_back(SimdPath::Avx512);
    }
    const auto randomSize = [&](int low, int high) {
        return low + static_cast<int>(rng() % static_cast<unsigned>(high - low + 1));
    };
    for (int round = 0; round < 8; ++round) {
        // Mostly small pictures; one wide enough to need several column blocks, shrunk and
        // enlarged; one tall enough that the kept work rows wrap around, shrunk and enlarged
        // (neighbouring columns and rows then share their taps in the AVX2 passes).
        Size from{randomSize(1, 48), randomSize(1, 40)};
        Size to{randomSize(1, 60), randomSize(1, 50)};
        if (round == 0) {
            from = {randomSize(700, 900), randomSize(9, 20)};
            to = {randomSize(150, 260), randomSize(5, 30)};
        } else if (round == 1) {
            from = {randomSize(300, 400), randomSize(2, 12)};
            to = {randomSize(500, 700), randomSize(10, 40)};
        } else if (round == 2) {
            from = {randomSize(20, 40), randomSize(300, 500)};
            to = {randomSize(10, 30), randomSize(60, 140)};
        } else if (round == 3) {
            from = {randomSize(10, 20), randomSize(100, 150)};
            to = {randomSize(15, 40), randomSize(200, 300)};
        }
        SCOPED_TRACE(::testing::Message()
                     << from.width << "x" << from.height << " -> " << to.width << "x" << to.height);
        const Bitmap24 source = randomPicture(from.width, from.height, rng);
        Bitmap24 reference(to.width, to.height);
        ResampleBitmapReference(source, reference, entry.kernel, entry.support);
        for (SimdPath path : paths) {
            for (int threads = 1; threads <= 5; ++threads) {
                SCOPED_TRACE(::testing::Message()
                             << "path " << static_cast<int>(path) << ", threads " << threads);
                Bitmap24 whole(to.width, to.height);
                ResampleBitmap(source, whole, entry.kernel, entry.support, {threads, path});
                EXPECT_TRUE(whole.samePixels(reference));

                const int stripRows = randomSize(1, 20);
                Bitmap24 streamed(to.width, to.height);
                streamInStrips(source, streamed, entry.kernel, entry.support, {threads, path},
                               stripRows);
                EXPECT_TRUE(streamed.samePixels(reference)) << "strips of " << stripRows;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKernel, FastPaths, ::testing::Range(0, 7),
                         [](const ::testing::TestParamInfo<int>& param) {
                             std::string name(
                                 KernelTable[static_cast<std::size_t>(param.param)].name);
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return name;
                         });
