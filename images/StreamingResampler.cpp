#include "StreamingResampler.h"

#include "PassKernels.h"
#include "ResampleBitmap.h"
#include "ResamplePlan.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// Destination rows handed to a worker at a time.
constexpr int rowsPerTask = 4;

template <typename T> std::unique_ptr<T[]> uninitialised(std::size_t count) {
    return std::make_unique_for_overwrite<T[]>(count);
}

constexpr int stripOf(int row) {
    return row / stripHeight;
}

} // namespace

// How the work is shared: the source arrives in strips of stripHeight rows. A strip whose rows
// are all in becomes a horizontal task; its work rows go into a ring of ringRows slots. A
// destination row becomes a vertical task once every work row it reads is done. A strip may
// only start when the slots it overwrites hold rows that no destination row still to be
// written reads, and that are themselves finished. Workers take vertical tasks first, since
// they free slots. Copied source rows live in a few staging strips that are reused once their
// strip is done.
struct StreamingResampler::Engine {
    Engine(int sourceWidth_, int sourceHeight_, KernelFunction kernel, float support,
           Bitmap24& destination_, ResampleOptions options);
    ~Engine();

    void feed(const std::uint8_t* const* rows, int count, bool copy);
    void finish();

    void startWorkers(int count);
    void stopWorkers();
    void workerLoop(int worker);
    bool takeRows(int& first, int& end);
    bool takeStrip(int& strip);
    void runRows(int worker, int first, int end);
    void runStrip(int worker, int strip);
    void completeRows(int first, int end);
    void completeStrip(int strip);
    int stripEnd(int strip) const { return std::min(sourceHeight, (strip + 1) * stripHeight); }

    const int sourceWidth;
    const int sourceHeight;
    Bitmap24& destination;
    const bool idle; // a destination without pixels: rows are only counted
    std::unique_ptr<ResamplePlan> plan;
    void (*horizontalPass)(const HorizontalJob&) = nullptr;
    void (*verticalPass)(const VerticalJob&) = nullptr;
    int stripCount = 0;

    std::ptrdiff_t ringStride = 0;
    std::unique_ptr<std::uint8_t[]> ring;
    std::vector<const std::uint8_t*> sourceRows; // every fed row, copied or retained
    int stagingStrips = 0;
    std::unique_ptr<std::uint8_t[]> staging; // allocated at the first copied row

    struct Scratch {
        std::unique_ptr<float[]> transposed;
        std::unique_ptr<std::uint8_t[]> packed;
        std::unique_ptr<const std::uint8_t*[]> tapRows;
    };
    std::vector<Scratch> scratch;
    std::vector<std::thread> workers;

    // Fed by the caller only.
    int rowsFed = 0;

    // Shared, under `mutex`.
    std::mutex mutex;
    std::condition_variable changed;
    bool stopping = false;
    int stripsFed = 0;
    int nextStrip = 0;
    std::vector<char> stripDone;
    int stripsDonePrefix = 0;
    int workRowsDone = 0; // all work rows below this are done
    int nextRow = 0;
    std::vector<char> rowDone;
    int rowsDone = 0; // all destination rows below this are written
};

StreamingResampler::Engine::Engine(int sourceWidth_, int sourceHeight_, KernelFunction kernel,
                                   float support, Bitmap24& destination_, ResampleOptions options)
    : sourceWidth(sourceWidth_), sourceHeight(sourceHeight_), destination(destination_),
      idle(destination_.width() == 0 || destination_.height() == 0) {
    if (sourceWidth < 1 || sourceHeight < 1) {
        throw ResampleError("Source bitmap too small");
    }
    if (idle) {
        return;
    }
    const int threads = options.threads > 0 ? options.threads : defaultThreadCount();
    const bool avx2 = options.path != SimdPath::Portable && avx2Available();
    horizontalPass = avx2 ? horizontalPassAvx2 : horizontalPassPortable;
    verticalPass = avx2 ? verticalPassAvx2 : verticalPassPortable;

    plan = std::make_unique<ResamplePlan>(sourceWidth, sourceHeight, destination.width(),
                                          destination.height(), kernel, support, threads);
    stripCount = (sourceHeight + stripHeight - 1) / stripHeight;
    stagingStrips = threads + 2;

    // Work rows are padded to whole vectors.
    ringStride = (static_cast<std::ptrdiff_t>(destination.width()) * 3 + 63) & ~std::ptrdiff_t{63};
    ring = uninitialised<std::uint8_t>(static_cast<std::size_t>(ringStride * plan->ringRows));
    sourceRows.assign(static_cast<std::size_t>(sourceHeight), nullptr);
    stripDone.assign(static_cast<std::size_t>(stripCount), 0);
    rowDone.assign(static_cast<std::size_t>(destination.height()), 0);

    scratch.resize(static_cast<std::size_t>(threads));
    for (Scratch& s : scratch) {
        if (avx2) {
            s.transposed = uninitialised<float>(static_cast<std::size_t>(plan->maxBlockSpan) * 3 *
                                                stripHeight);
            s.packed = uninitialised<std::uint8_t>(static_cast<std::size_t>(plan->maxBlockColumns) *
                                                   3 * stripHeight);
        }
        s.tapRows =
            uninitialised<const std::uint8_t*>(static_cast<std::size_t>(plan->rows.maxCount()) + 1);
    }
    startWorkers(threads);
}

StreamingResampler::Engine::~Engine() {
    stopWorkers();
}

void StreamingResampler::Engine::startWorkers(int count) {
    workers.reserve(static_cast<std::size_t>(count));
    try {
        for (int w = 0; w < count; ++w) {
            workers.emplace_back([this, w] { workerLoop(w); });
        }
    } catch (...) {
        stopWorkers();
        throw;
    }
}

void StreamingResampler::Engine::stopWorkers() {
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    for (std::thread& t : workers) {
        t.join();
    }
    workers.clear();
}

void StreamingResampler::Engine::feed(const std::uint8_t* const* rows, int count, bool copy) {
    if (count < 0 || count > sourceHeight - rowsFed) {
        throw std::logic_error("StreamingResampler: more rows than the source has");
    }
    if (idle) {
        rowsFed += count;
        return;
    }
    const auto rowBytes = static_cast<std::size_t>(sourceWidth) * 3;
    if (copy && !staging) {
        staging = uninitialised<std::uint8_t>(rowBytes * stripHeight *
                                              static_cast<std::size_t>(stagingStrips));
    }
    for (int i = 0; i < count; ++i) {
        const int y = rowsFed;
        const int strip = stripOf(y);
        if (copy) {
            // The staging strip is free once the strip that used it before is done.
            const int previous = strip - stagingStrips;
            if (previous >= 0) {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return stripDone[previous] != 0; });
            }
            std::uint8_t* slot =
                staging.get() + (static_cast<std::size_t>(strip % stagingStrips) * stripHeight +
                                 static_cast<std::size_t>(y % stripHeight)) *
                                    rowBytes;
            std::memcpy(slot, rows[i], rowBytes);
            sourceRows[y] = slot;
        } else {
            sourceRows[y] = rows[i];
        }
        rowsFed = y + 1;
        if (rowsFed == stripEnd(strip)) {
            {
                std::lock_guard lock(mutex);
                stripsFed = strip + 1;
            }
            changed.notify_all();
        }
    }
}

void StreamingResampler::Engine::finish() {
    if (rowsFed != sourceHeight) {
        throw std::logic_error("StreamingResampler: finished before every source row was fed");
    }
    if (idle) {
        return;
    }
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return rowsDone == plan->destinationHeight; });
    }
    stopWorkers();
}

void StreamingResampler::Engine::workerLoop(int worker) {
    std::unique_lock lock(mutex);
    while (!stopping) {
        int first = 0;
        int end = 0;
        int strip = 0;
        if (takeRows(first, end)) {
            lock.unlock();
            runRows(worker, first, end);
            lock.lock();
            completeRows(first, end);
            changed.notify_all();
        } else if (takeStrip(strip)) {
            lock.unlock();
            runStrip(worker, strip);
            lock.lock();
            completeStrip(strip);
            changed.notify_all();
        } else {
            changed.wait(lock);
        }
    }
}

bool StreamingResampler::Engine::takeRows(int& first, int& end) {
    const auto ready = [&](int r) {
        return r < plan->destinationHeight && plan->rows.highestPixel(r) < workRowsDone;
    };
    if (!ready(nextRow)) {
        return false;
    }
    first = nextRow;
    while (nextRow - first < rowsPerTask && ready(nextRow)) {
        ++nextRow;
    }
    end = nextRow;
    return true;
}

bool StreamingResampler::Engine::takeStrip(int& strip) {
    if (nextStrip >= stripsFed) {
        return false;
    }
    // The slots of this strip's rows hold rows ringRows further up: those must be finished and
    // no longer read.
    const int overwritten = stripEnd(nextStrip) - 1 - plan->ringRows;
    if (overwritten >= workRowsDone || overwritten >= plan->lowestNeeded[rowsDone]) {
        return false;
    }
    strip = nextStrip++;
    return true;
}

void StreamingResampler::Engine::runStrip(int worker, int strip) {
    HorizontalJob job{};
    job.listOffsets = plan->columns.offsetData();
    job.entries = plan->columns.entryData();
    job.blocks = plan->blocks.data();
    job.blockCount = static_cast<int>(plan->blocks.size());
    job.destinationWidth = plan->destinationWidth;
    const int first = strip * stripHeight;
    job.rowCount = stripEnd(strip) - first;
    for (int r = 0; r < job.rowCount; ++r) {
        job.sourceRows[r] = sourceRows[static_cast<std::size_t>(first + r)];
        job.workRows[r] = ring.get() + ((first + r) % plan->ringRows) * ringStride;
    }
    job.transposed = scratch[static_cast<std::size_t>(worker)].transposed.get();
    job.packed = scratch[static_cast<std::size_t>(worker)].packed.get();
    horizontalPass(job);
}

void StreamingResampler::Engine::runRows(int worker, int first, int end) {
    const std::uint8_t** taps = scratch[static_cast<std::size_t>(worker)].tapRows.get();
    for (int r = first; r < end; ++r) {
        const WeightList list = plan->rows[r];
        for (int k = 0; k < list.count; ++k) {
            taps[k] = ring.get() + (list.weights[k].pixel % plan->ringRows) * ringStride;
        }
        verticalPass(
            {list.weights, taps, list.count, plan->destinationWidth * 3, destination.row(r)});
    }
}

void StreamingResampler::Engine::completeRows(int first, int end) {
    std::fill(rowDone.begin() + first, rowDone.begin() + end, 1);
    while (rowsDone < plan->destinationHeight && rowDone[static_cast<std::size_t>(rowsDone)]) {
        ++rowsDone;
    }
}

void StreamingResampler::Engine::completeStrip(int strip) {
    stripDone[static_cast<std::size_t>(strip)] = 1;
    while (stripsDonePrefix < stripCount && stripDone[static_cast<std::size_t>(stripsDonePrefix)]) {
        ++stripsDonePrefix;
    }
    workRowsDone = std::min(sourceHeight, stripsDonePrefix * stripHeight);
}

StreamingResampler::StreamingResampler(int sourceWidth, int sourceHeight, KernelFunction kernel,
                                       float support, Bitmap24& destination,
                                       ResampleOptions options)
    : engine_(std::make_unique<Engine>(sourceWidth, sourceHeight, kernel, support, destination,
                                       options)) {}

StreamingResampler::~StreamingResampler() = default;

void StreamingResampler::feed(const std::uint8_t* const* rows, int count) {
    engine_->feed(rows, count, true);
}

void StreamingResampler::feedRetained(const std::uint8_t* const* rows, int count) {
    engine_->feed(rows, count, false);
}

void StreamingResampler::finish() {
    engine_->finish();
}

int StreamingResampler::sourceWidth() const {
    return engine_->sourceWidth;
}
int StreamingResampler::sourceHeight() const {
    return engine_->sourceHeight;
}
int StreamingResampler::rowsFed() const {
    return engine_->rowsFed;
}
