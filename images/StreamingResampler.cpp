#include "images/StreamingResampler.h"

#include "images/PassKernels.h"
#include "images/ResampleBitmap.h"
#include "images/ResamplePlan.h"
#include "images/WorkMemory.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// Destination rows handed to a worker at a time.
constexpr int rowsPerTask = 4;

// An idle worker is woken when this many fed strips wait for it. Waking a sleeping thread here
// costs the caller 20 to 40 microseconds, about the horizontal pass over half a strip, and the
// caller decodes on the critical path; the caller takes waiting strips itself should it run out
// of staging room.
constexpr int stripsPerWake = 4;

// Arrays that vector loops read or write start on a cache line.
constexpr std::size_t lineBytes = 64;

constexpr int stripOf(int row) {
    return row / stripHeight;
}

PassKernelSet passKernelsFor(SimdPath requested) {
    switch (effectivePath(requested)) {
    case SimdPath::Avx512:
        return {horizontalPassAvx512, verticalPassAvx512, verticalPairAvx512, avx512PixelFloats};
    case SimdPath::Avx2:
        return {horizontalPassAvx2, verticalPassAvx2, verticalPairAvx2, avx2PixelFloats};
    default:
        return {horizontalPassPortable, verticalPassPortable, nullptr, 0};
    }
}

int threadCount(ResampleOptions options, bool idle) {
    if (idle) {
        return 0;
    }
    return std::min(options.threads > 0 ? options.threads : defaultThreadCount(),
                    ResampleOptions::maxThreads);
}

// Alone, the caller finishes a strip before it writes the next one; with workers, room for the
// strips fed before a worker is woken and for those under way.
int stagingStripCount(int threads) {
    return threads <= 1 ? 1 : threads + stripsPerWake;
}

std::ptrdiff_t ringStrideFor(int destinationWidth) {
    // Work rows are padded to whole vectors.
    return (static_cast<std::ptrdiff_t>(destinationWidth) * 3 + 63) & ~std::ptrdiff_t{63};
}

} // namespace

// How the work is shared. `threads` executors share the tasks: threads - 1 worker threads, and
// the caller whenever it would otherwise wait (for a staging strip, or in finish()). With one
// thread there are no workers and the caller does everything itself, without locks ever being
// contended or threads woken. First the column lists and the row lists are built (each a task
// of its own, so that two executors build them side by side while the caller already decodes
// and feeds). The source arrives in strips of stripHeight rows; a strip whose rows are
// all in becomes a horizontal task, and its work rows go into a ring of ringRows slots. A
// destination row becomes a vertical task once every work row it reads is done. A strip may
// only start when the slots it overwrites hold rows that are finished and that no destination
// row still to be written reads. Workers prefer vertical tasks, since they free slots. Copied
// source rows live in a few staging strips, each reused once its strip is done.
struct StreamingResampler::Engine {
    Engine(int sourceWidth_, int sourceHeight_, KernelFunction kernel_, float support_,
           Bitmap24& destination_, ResampleOptions options);
    ~Engine();

    void feed(const std::uint8_t* const* rows, int count);
    void feedRetained(const std::uint8_t* const* rows, int count);
    int beginRows(std::uint8_t** buffers, int maxCount);
    void commitRows(int count);
    void advance(int count);
    std::uint8_t* stagingRow(int y);
    void finish();

    enum class Task { none, columns, rows, vertical, strip };
    void startWorkers(int count);
    void stopWorkers();
    void workerLoop(int worker);
    template <typename Condition> void callerWaitUntil(Condition done);
    void execute(std::unique_lock<std::mutex>& lock, Task task, int executor, int first, int end);
    Task takeTask(int& first, int& end);
    bool rowsReadyAt(int r) const;
    bool stripMayStart() const;
    bool takeRows(int& first, int& end);
    bool takeStrip(int& strip);
    void run(Task task, int worker, int first, int end);
    void complete(Task task, int first, int end);
    std::size_t memoryEstimate() const;
    void buildColumns();
    void buildRows();
    void runRows(int worker, int first, int end);
    void runStrip(int worker, int strip);
    void throwIfFailed(); // with `mutex` held
    int stripEnd(int strip) const { return std::min(sourceHeight, (strip + 1) * stripHeight); }

    const int sourceWidth;
    const int sourceHeight;
    const int destinationWidth;
    const int destinationHeight;
    Bitmap24& destination;
    const KernelFunction kernel;
    const float support;
    const bool idle; // a destination without pixels: rows are only counted
    const PassKernelSet kernels;
    const bool vectorPath; // the vector passes: converted strips and pairs of rows
    const int threads;     // the caller and the workers: threads - 1 of them; 0 when idle
    const int callerIndex;
    const int stripCount;
    const int stagingStrips;

    // Everything below that is as large as the picture's rows or columns lives here.
    WorkMemory memory;

    // Built by the workers; each is read only after its ready flag was seen under `mutex`.
    std::unique_ptr<ColumnPlan> columns;
    std::unique_ptr<RowPlan> rows;
    const std::ptrdiff_t ringStride;
    std::uint8_t* ring = nullptr;

    std::pmr::vector<const std::uint8_t*> sourceRows; // every fed row, copied or retained
    std::uint8_t* staging = nullptr;                  // allocated at the first copied row

    struct Scratch { // one per worker, allocated at its first task that needs it
        float* transposed = nullptr;
        std::uint8_t* packed = nullptr;
        const std::uint8_t** tapRows = nullptr;
    };
    std::vector<Scratch> scratch; // the workers', then the caller's
    std::vector<std::thread> workers;

    int rowsFed = 0;         // the caller's own count
    int stagingFreeFor = -1; // the caller's: the last strip whose staging slot it waited for
    int rowsBegun = 0;       // the caller's: buffers handed out by beginRows()

    // Shared, under `mutex`.
    // Workers and the caller wait apart, so that each is woken only when it may go on.
    std::mutex mutex;
    std::condition_variable workerWake;
    std::condition_variable callerWake;
    int idleWorkers = 0;
    bool callerWaiting = false;
    bool stopping = false;
    std::exception_ptr failure;
    bool columnsTaken = false;
    bool rowsTaken = false;
    bool columnsReady = false;
    bool rowsReady = false;
    int stripsFed = 0;
    int nextStrip = 0;
    std::pmr::vector<char> stripDone;
    int stripsDonePrefix = 0;
    int workRowsDone = 0; // all work rows below this are done
    int nextRow = 0;
    std::pmr::vector<char> rowDone;
    int rowsDone = 0; // all destination rows below this are written
};

StreamingResampler::Engine::Engine(int sourceWidth_, int sourceHeight_, KernelFunction kernel_,
                                   float support_, Bitmap24& destination_, ResampleOptions options)
    : sourceWidth(sourceWidth_), sourceHeight(sourceHeight_),
      destinationWidth(destination_.width()), destinationHeight(destination_.height()),
      destination(destination_), kernel(kernel_), support(support_),
      idle(destinationWidth == 0 || destinationHeight == 0), kernels(passKernelsFor(options.path)),
      vectorPath(kernels.verticalPair != nullptr), threads(threadCount(options, idle)),
      callerIndex(threads - 1),
      stripCount((std::max(sourceHeight, 0) + stripHeight - 1) / stripHeight),
      stagingStrips(stagingStripCount(threads)), memory(memoryEstimate()),
      ringStride(ringStrideFor(destinationWidth)), sourceRows(&memory), stripDone(&memory),
      rowDone(&memory) {
    if (sourceWidth < 1 || sourceHeight < 1) {
        throw ResampleError("Source bitmap too small");
    }
    sourceRows.assign(static_cast<std::size_t>(sourceHeight), nullptr);
    if (idle) {
        return;
    }
    stripDone.assign(static_cast<std::size_t>(stripCount), 0);
    rowDone.assign(static_cast<std::size_t>(destinationHeight), 0);
    scratch.resize(static_cast<std::size_t>(threads));
    startWorkers(threads - 1);
}

StreamingResampler::Engine::~Engine() {
    stopWorkers();
}

std::size_t StreamingResampler::Engine::memoryEstimate() const {
    if (sourceWidth < 1 || sourceHeight < 1) {
        return 0;
    }
    const auto rowBytes = static_cast<std::size_t>(sourceWidth) * 3;
    const auto height = static_cast<std::size_t>(sourceHeight);
    // Every allocation may be padded to a cache line.
    std::size_t bytes = 32 * lineBytes + rowBytes * stripHeight * stagingStrips +
                        height * sizeof(const std::uint8_t*);
    if (idle) {
        return bytes;
    }
    bytes += ColumnPlan::memoryEstimate(sourceWidth, destinationWidth, support) +
             RowPlan::memoryEstimate(sourceHeight, destinationHeight, support) +
             static_cast<std::size_t>(ringStrideFor(destinationWidth)) *
                 RowPlan::ringRowsEstimate(sourceHeight, destinationHeight, support, threads) +
             static_cast<std::size_t>(stripCount + destinationHeight);
    // Each executor's scratch: the converted source of a block of columns (a few hundred source
    // pixels as they are usually planned; a larger block takes its scratch from the heap), its
    // packed results, and the tap rows of two destination rows.
    const float columnReach = resampleReach(resampleScale(destinationWidth, sourceWidth), support);
    const float rowReach = resampleReach(resampleScale(destinationHeight, sourceHeight), support);
    const std::size_t perExecutor =
        (512 + 2 * static_cast<std::size_t>(columnReach)) * 3 * stripHeight * sizeof(float) +
        128 * 3 * stripHeight + (4 * static_cast<std::size_t>(rowReach) + 8) * sizeof(void*);
    return bytes + perExecutor * static_cast<std::size_t>(threads);
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
    workerWake.notify_all();
    for (std::thread& t : workers) {
        t.join();
    }
    workers.clear();
}

void StreamingResampler::Engine::throwIfFailed() {
    if (failure) {
        std::rethrow_exception(failure);
    }
}

std::uint8_t* StreamingResampler::Engine::stagingRow(int y) {
    const auto rowBytes = static_cast<std::size_t>(sourceWidth) * 3;
    const auto slot = static_cast<std::size_t>(stripOf(y) % stagingStrips);
    return staging + (slot * stripHeight + static_cast<std::size_t>(y % stripHeight)) * rowBytes;
}

int StreamingResampler::Engine::beginRows(std::uint8_t** buffers, int maxCount) {
    if (maxCount < 1 || rowsFed >= sourceHeight) {
        throw std::logic_error("StreamingResampler: more rows than the source has");
    }
    if (staging == nullptr) {
        staging = memory.allocateArray<std::uint8_t>(static_cast<std::size_t>(sourceWidth) * 3 *
                                                         stripHeight *
                                                         static_cast<std::size_t>(stagingStrips),
                                                     lineBytes);
    }
    const int y = rowsFed;
    const int strip = stripOf(y);
    // A staging strip is free once the strip that used it before is done.
    const int previous = strip - stagingStrips;
    if (!idle && previous >= 0 && stagingFreeFor < strip) {
        callerWaitUntil([&] { return stripDone[static_cast<std::size_t>(previous)] != 0; });
        stagingFreeFor = strip;
    }
    const int count = std::min(maxCount, stripEnd(strip) - y);
    for (int i = 0; i < count; ++i) {
        buffers[i] = stagingRow(y + i);
    }
    rowsBegun = count;
    return count;
}

void StreamingResampler::Engine::commitRows(int count) {
    if (count < 0 || count > rowsBegun) {
        throw std::logic_error("StreamingResampler: rows committed that were not begun");
    }
    for (int i = 0; i < count; ++i) {
        sourceRows[static_cast<std::size_t>(rowsFed + i)] = stagingRow(rowsFed + i);
    }
    rowsBegun = 0;
    advance(count);
}

void StreamingResampler::Engine::feed(const std::uint8_t* const* rowPointers, int count) {
    if (count < 0 || count > sourceHeight - rowsFed) {
        throw std::logic_error("StreamingResampler: more rows than the source has");
    }
    if (idle) {
        rowsFed += count;
        return;
    }
    const auto rowBytes = static_cast<std::size_t>(sourceWidth) * 3;
    std::uint8_t* buffers[stripHeight];
    for (int done = 0; done < count;) {
        const int n = beginRows(buffers, count - done);
        for (int i = 0; i < n; ++i) {
            std::memcpy(buffers[i], rowPointers[done + i], rowBytes);
        }
        commitRows(n);
        done += n;
    }
}

void StreamingResampler::Engine::feedRetained(const std::uint8_t* const* rowPointers, int count) {
    if (count < 0 || count > sourceHeight - rowsFed) {
        throw std::logic_error("StreamingResampler: more rows than the source has");
    }
    if (idle) {
        rowsFed += count;
        return;
    }
    rowsBegun = 0;
    for (int done = 0; done < count;) {
        const int n = std::min(count - done, stripEnd(stripOf(rowsFed)) - rowsFed);
        for (int i = 0; i < n; ++i) {
            sourceRows[static_cast<std::size_t>(rowsFed + i)] = rowPointers[done + i];
        }
        advance(n);
        done += n;
    }
}

void StreamingResampler::Engine::advance(int count) {
    // Never past the end of the current strip.
    const int strip = stripOf(rowsFed);
    rowsFed += count;
    if (count > 0 && rowsFed == stripEnd(strip)) {
        bool wake = false;
        {
            std::lock_guard lock(mutex);
            stripsFed = strip + 1;
            wake = idleWorkers > 0 &&
                   (stripsFed - nextStrip >= stripsPerWake || stripsFed == stripCount);
        }
        if (wake) {
            workerWake.notify_one();
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
    callerWaitUntil([&] { return rowsDone == destinationHeight; });
    stopWorkers();
}

// The caller waits for `done` by working: it runs tasks while there are any, and sleeps only
// while the workers hold all that is left.
template <typename Condition> void StreamingResampler::Engine::callerWaitUntil(Condition done) {
    std::unique_lock lock(mutex);
    while (!done() && !failure) {
        int first = 0;
        int end = 0;
        const Task task = takeTask(first, end);
        if (task != Task::none) {
            execute(lock, task, callerIndex, first, end);
            continue;
        }
        callerWaiting = true;
        callerWake.wait(lock);
        callerWaiting = false;
    }
    throwIfFailed();
}

void StreamingResampler::Engine::workerLoop(int worker) {
    std::unique_lock lock(mutex);
    while (!stopping) {
        int first = 0;
        int end = 0;
        const Task task = takeTask(first, end);
        if (task == Task::none) {
            ++idleWorkers;
            workerWake.wait(lock);
            --idleWorkers;
            continue;
        }
        execute(lock, task, worker, first, end);
    }
}

// Runs a task taken under `lock` without it, then records it and wakes whoever may go on.
void StreamingResampler::Engine::execute(std::unique_lock<std::mutex>& lock, Task task,
                                         int executor, int first, int end) {
    lock.unlock();
    std::exception_ptr error;
    try {
        run(task, executor, first, end);
    } catch (...) {
        error = std::current_exception(); // only allocations can fail
    }
    lock.lock();
    if (error) {
        failure = error;
        workerWake.notify_all();
    } else {
        complete(task, first, end);
        if (idleWorkers > 0 && (rowsReadyAt(nextRow) || stripMayStart())) {
            workerWake.notify_all();
        }
    }
    if (callerWaiting) {
        callerWake.notify_one();
    }
}

StreamingResampler::Engine::Task StreamingResampler::Engine::takeTask(int& first, int& end) {
    if (failure) {
        return Task::none;
    }
    if (!columnsTaken) {
        columnsTaken = true;
        return Task::columns;
    }
    if (!rowsTaken) {
        rowsTaken = true;
        return Task::rows;
    }
    if (takeRows(first, end)) {
        return Task::vertical;
    }
    if (takeStrip(first)) {
        return Task::strip;
    }
    return Task::none;
}

// Whether destination row r exists and every work row it reads is done.
bool StreamingResampler::Engine::rowsReadyAt(int r) const {
    return rowsReady && r < destinationHeight && rows->lists.highestPixel(r) < workRowsDone;
}

// Whether the next strip is fed and may go into the ring: the slots of its rows hold rows
// ringRows further up, which must be finished and no longer read.
bool StreamingResampler::Engine::stripMayStart() const {
    if (!columnsReady || !rowsReady || nextStrip >= stripsFed) {
        return false;
    }
    const int overwritten = stripEnd(nextStrip) - 1 - rows->ringRows;
    return overwritten < workRowsDone && overwritten < rows->lowestNeeded[rowsDone];
}

bool StreamingResampler::Engine::takeRows(int& first, int& end) {
    if (!rowsReadyAt(nextRow)) {
        return false;
    }
    first = nextRow;
    while (nextRow - first < rowsPerTask && rowsReadyAt(nextRow)) {
        ++nextRow;
    }
    end = nextRow;
    return true;
}

bool StreamingResampler::Engine::takeStrip(int& strip) {
    if (!stripMayStart()) {
        return false;
    }
    strip = nextStrip++;
    return true;
}

void StreamingResampler::Engine::run(Task task, int worker, int first, int end) {
    switch (task) {
    case Task::columns:
        buildColumns();
        break;
    case Task::rows:
        buildRows();
        break;
    case Task::vertical:
        runRows(worker, first, end);
        break;
    case Task::strip:
        runStrip(worker, first);
        break;
    case Task::none:
        break;
    }
}

void StreamingResampler::Engine::complete(Task task, int first, int end) {
    switch (task) {
    case Task::columns:
        columnsReady = true;
        break;
    case Task::rows:
        rowsReady = true;
        break;
    case Task::vertical:
        std::fill(rowDone.begin() + first, rowDone.begin() + end, 1);
        while (rowsDone < destinationHeight && rowDone[static_cast<std::size_t>(rowsDone)]) {
            ++rowsDone;
        }
        break;
    case Task::strip:
        stripDone[static_cast<std::size_t>(first)] = 1;
        while (stripsDonePrefix < stripCount &&
               stripDone[static_cast<std::size_t>(stripsDonePrefix)]) {
            ++stripsDonePrefix;
        }
        workRowsDone = std::min(sourceHeight, stripsDonePrefix * stripHeight);
        break;
    case Task::none:
        break;
    }
}

void StreamingResampler::Engine::buildColumns() {
    columns = std::make_unique<ColumnPlan>(sourceWidth, destinationWidth, kernel, support,
                                           kernels.pixelFloats, &memory);
}

void StreamingResampler::Engine::buildRows() {
    rows = std::make_unique<RowPlan>(sourceHeight, destinationHeight, kernel, support, threads,
                                     &memory);
    ring = memory.allocateArray<std::uint8_t>(static_cast<std::size_t>(ringStride * rows->ringRows),
                                              lineBytes);
}

void StreamingResampler::Engine::runStrip(int worker, int strip) {
    Scratch& own = scratch[static_cast<std::size_t>(worker)];
    if (vectorPath && own.transposed == nullptr) {
        own.transposed = memory.allocateArray<float>(
            static_cast<std::size_t>(columns->maxBlockSpan * 3 + passStepBytes) *
                static_cast<std::size_t>(kernels.pixelFloats / 3),
            lineBytes);
        own.packed = memory.allocateArray<std::uint8_t>(
            static_cast<std::size_t>(columns->maxBlockColumns * 3 + passStepBytes) * stripHeight,
            lineBytes);
    }
    HorizontalJob job{};
    job.listOffsets = columns->lists.offsetData();
    job.entries = columns->lists.entryData();
    job.tapOffsets = columns->tapOffsets.data();
    job.blocks = columns->blocks.data();
    job.groups = columns->groups.data();
    job.blockCount = static_cast<int>(columns->blocks.size());
    job.destinationWidth = destinationWidth;
    job.sourceRowBytes = sourceWidth * 3;
    job.workRowBytes = static_cast<int>(ringStride);
    const int first = strip * stripHeight;
    job.rowCount = stripEnd(strip) - first;
    for (int r = 0; r < job.rowCount; ++r) {
        job.sourceRows[r] = sourceRows[static_cast<std::size_t>(first + r)];
        job.workRows[r] = ring + ((first + r) % rows->ringRows) * ringStride;
    }
    job.transposed = own.transposed;
    job.packed = own.packed;
    kernels.horizontal(job);
}

void StreamingResampler::Engine::runRows(int worker, int first, int end) {
    Scratch& own = scratch[static_cast<std::size_t>(worker)];
    if (own.tapRows == nullptr) {
        // Room for the tap rows of two rows together.
        own.tapRows = memory.allocateArray<const std::uint8_t*>(
            2 * static_cast<std::size_t>(rows->lists.maxCount()) + 1);
    }
    const auto workRow = [&](int y) { return ring + (y % rows->ringRows) * ringStride; };
    for (int r = first; r < end;) {
        const WeightList list = rows->lists[r];
        if (vectorPath && r + 1 < end && rows->pairsWithNext[static_cast<std::size_t>(r)]) {
            const WeightList next = rows->lists[r + 1];
            const int low = list.weights[0].pixel;
            const int count = next.weights[0].pixel + next.count - low;
            for (int k = 0; k < count; ++k) {
                own.tapRows[static_cast<std::size_t>(k)] = workRow(low + k);
            }
            const VerticalPairJob job{list.weights,
                                      list.count,
                                      next.weights,
                                      next.count,
                                      next.weights[0].pixel - low,
                                      own.tapRows,
                                      destinationWidth * 3,
                                      destination.row(r),
                                      destination.row(r + 1)};
            kernels.verticalPair(job);
            r += 2;
            continue;
        }
        for (int k = 0; k < list.count; ++k) {
            own.tapRows[static_cast<std::size_t>(k)] = workRow(list.weights[k].pixel);
        }
        const VerticalJob job{list.weights, own.tapRows, list.count, destinationWidth * 3,
                              destination.row(r)};
        kernels.vertical(job);
        ++r;
    }
}

StreamingResampler::StreamingResampler(int sourceWidth, int sourceHeight, KernelFunction kernel,
                                       float support, Bitmap24& destination,
                                       ResampleOptions options)
    : engine_(std::make_unique<Engine>(sourceWidth, sourceHeight, kernel, support, destination,
                                       options)) {}

StreamingResampler::~StreamingResampler() = default;

void StreamingResampler::feed(const std::uint8_t* const* rows, int count) {
    engine_->feed(rows, count);
}

void StreamingResampler::feedRetained(const std::uint8_t* const* rows, int count) {
    engine_->feedRetained(rows, count);
}

int StreamingResampler::beginRows(std::uint8_t** buffers, int maxCount) {
    return engine_->beginRows(buffers, maxCount);
}

void StreamingResampler::commitRows(int count) {
    engine_->commitRows(count);
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
