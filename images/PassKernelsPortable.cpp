#include "images/ByteRounding.h"
#include "images/PassKernels.h"

void horizontalPassPortable(const HorizontalJob& job) {
    for (int l = 0; l < job.rowCount; ++l) {
        const std::uint8_t* in = job.sourceRows[l];
        std::uint8_t* out = job.workRows[l];
        for (int i = 0; i < job.destinationWidth; ++i) {
            const PixelWeight* first = job.entries + job.listOffsets[i];
            const PixelWeight* last = job.entries + job.listOffsets[i + 1];
            float sums[3] = {0.0f, 0.0f, 0.0f};
            for (const PixelWeight* w = first; w != last; ++w) {
                const std::uint8_t* pixel = in + w->pixel * 3;
                for (int c = 0; c < 3; ++c) {
                    sums[c] = addWeighted(sums[c], pixel[c], w->weight);
                }
            }
            for (int c = 0; c < 3; ++c) {
                out[i * 3 + c] = sumToByte(sums[c]);
            }
        }
    }
}

void verticalPassPortable(const VerticalJob& job) {
    for (int x = 0; x < job.rowBytes; ++x) {
        float sum = 0.0f;
        for (int k = 0; k < job.count; ++k) {
            sum = addWeighted(sum, job.tapRows[k][x], job.weights[k].weight);
        }
        job.out[x] = sumToByte(sum);
    }
}
