// tickwell-resample-bench IN.jpg WIDTHxHEIGHT RUNS THREADS
//
// Decodes the picture once, then resamples it RUNS times to WIDTH x HEIGHT with "Lanczos3" at
// support 3, and prints the milliseconds of each run on one line. Decoding is left out of the
// figures, so that they compare with other tools' resize from an image already in memory.

#include "images/JpegDecoder.h"
#include "images/ResampleBitmap.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    int width = 0;
    int height = 0;
    if (argc != 5 || std::sscanf(argv[2], "%dx%d", &width, &height) != 2 || width < 1 ||
        height < 1) {
        std::fprintf(stderr, "usage: tickwell-resample-bench IN.jpg WIDTHxHEIGHT RUNS THREADS\n");
        return 1;
    }
    const int runs = std::atoi(argv[3]);
    const int threads = std::atoi(argv[4]);
    try {
        const Bitmap24 source = decodeJpegFile(argv[1]);
        Bitmap24 destination(width, height);
        std::printf("resample-ms");
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            ResampleBitmap(source, destination, lanczos3Kernel, 3.0f, {.threads = threads});
            const std::chrono::duration<double, std::milli> spent =
                std::chrono::steady_clock::now() - start;
            std::printf(" %.2f", spent.count());
        }
        std::printf("\n");
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tickwell-resample-bench: %s\n", error.what());
        return 1;
    }
}
