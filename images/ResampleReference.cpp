#include "images/ByteRounding.h"
#include "images/ResampleBitmap.h"
#include "images/WeightList.h"

// The two passes written out directly, with the whole work image in memory.
void ResampleBitmapReference(const Bitmap24& source, Bitmap24& destination, KernelFunction kernel,
                             float support) {
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    if (sourceWidth < 1 || sourceHeight < 1) {
        throw ResampleError("Source bitmap too small");
    }
    const int destinationWidth = destination.width();
    const int destinationHeight = destination.height();
    if (destinationWidth == 0 || destinationHeight == 0) {
        return;
    }
    Bitmap24 work(destinationWidth, sourceHeight);

    {
        const WeightLists columns(destinationWidth, sourceWidth, kernel, support);
        for (int y = 0; y < sourceHeight; ++y) {
            const std::uint8_t* in = source.row(y);
            std::uint8_t* out = work.row(y);
            for (int i = 0; i < destinationWidth; ++i) {
                const WeightList list = columns[i];
                float sums[3] = {0.0f, 0.0f, 0.0f};
                for (int k = 0; k < list.count; ++k) {
                    const std::uint8_t* pixel = in + list.weights[k].pixel * 3;
                    for (int c = 0; c < 3; ++c) {
                        sums[c] = addWeighted(sums[c], pixel[c], list.weights[k].weight);
                    }
                }
                for (int c = 0; c < 3; ++c) {
                    out[i * 3 + c] = sumToByte(sums[c]);
                }
            }
        }
    }

    const WeightLists rows(destinationHeight, sourceHeight, kernel, support);
    for (int x = 0; x < destinationWidth; ++x) {
        for (int r = 0; r < destinationHeight; ++r) {
            const WeightList list = rows[r];
            float sums[3] = {0.0f, 0.0f, 0.0f};
            for (int k = 0; k < list.count; ++k) {
                const std::uint8_t* pixel = work.row(list.weights[k].pixel) + x * 3;
                for (int c = 0; c < 3; ++c) {
                    sums[c] = addWeighted(sums[c], pixel[c], list.weights[k].weight);
                }
            }
            std::uint8_t* out = destination.row(r) + x * 3;
            for (int c = 0; c < 3; ++c) {
                out[c] = sumToByte(sums[c]);
            }
        }
    }
}
