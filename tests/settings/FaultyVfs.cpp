#include "FaultyVfs.h"

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace faulty {

namespace {

struct Fault {
    bool armed = false;
    Call call = Call::Write;
    int nth = 0;
    int code = SQLITE_OK;
    Lasting lasting = Lasting::Once;
    bool struck = false;
};

std::mutex faultMutex;
Fault fault;
std::array<std::atomic<int>, 3> counts{};

sqlite3_vfs* base = nullptr;
sqlite3_vfs vfs{};

// Counts the call and says which code it must fail with (SQLITE_OK: none).
int faultFor(Call call) {
    const int number = ++counts[static_cast<std::size_t>(call)];
    std::lock_guard lock(faultMutex);
    if (!fault.armed || fault.call != call) {
        return SQLITE_OK;
    }
    const bool hit = fault.lasting == Lasting::Once ? number == fault.nth : number >= fault.nth;
    if (!hit) {
        return SQLITE_OK;
    }
    fault.struck = true;
    return fault.code;
}

// A file of the system's VFS with our methods in front of it; the system's file follows.
struct File {
    sqlite3_file base;
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

File* asFile(sqlite3_file* file) {
    return reinterpret_cast<File*>(file);
}

int xClose(sqlite3_file* f) {
    return asFile(f)->real()->pMethods->xClose(asFile(f)->real());
}
int xRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
    if (const int code = faultFor(Call::Read)) {
        return code;
    }
    return asFile(f)->real()->pMethods->xRead(asFile(f)->real(), buffer, amount, offset);
}
int xWrite(sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset) {
    if (const int code = faultFor(Call::Write)) {
        return code;
    }
    return asFile(f)->real()->pMethods->xWrite(asFile(f)->real(), data, amount, offset);
}
int xTruncate(sqlite3_file* f, sqlite3_int64 size) {
    return asFile(f)->real()->pMethods->xTruncate(asFile(f)->real(), size);
}
int xSync(sqlite3_file*, int) {
    return faultFor(Call::Sync);
}
int xFileSize(sqlite3_file* f, sqlite3_int64* size) {
    return asFile(f)->real()->pMethods->xFileSize(asFile(f)->real(), size);
}
int xLock(sqlite3_file* f, int level) {
    return asFile(f)->real()->pMethods->xLock(asFile(f)->real(), level);
}
int xUnlock(sqlite3_file* f, int level) {
    return asFile(f)->real()->pMethods->xUnlock(asFile(f)->real(), level);
}
int xCheckReservedLock(sqlite3_file* f, int* out) {
    return asFile(f)->real()->pMethods->xCheckReservedLock(asFile(f)->real(), out);
}
int xFileControl(sqlite3_file* f, int op, void* arg) {
    return asFile(f)->real()->pMethods->xFileControl(asFile(f)->real(), op, arg);
}
int xSectorSize(sqlite3_file* f) {
    return asFile(f)->real()->pMethods->xSectorSize(asFile(f)->real());
}
int xDeviceCharacteristics(sqlite3_file* f) {
    return asFile(f)->real()->pMethods->xDeviceCharacteristics(asFile(f)->real());
}
int xShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
    return asFile(f)->real()->pMethods->xShmMap(asFile(f)->real(), region, size, extend, out);
}
int xShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return asFile(f)->real()->pMethods->xShmLock(asFile(f)->real(), offset, n, flags);
}
void xShmBarrier(sqlite3_file* f) {
    asFile(f)->real()->pMethods->xShmBarrier(asFile(f)->real());
}
int xShmUnmap(sqlite3_file* f, int deleteFlag) {
    return asFile(f)->real()->pMethods->xShmUnmap(asFile(f)->real(), deleteFlag);
}

// Memory-mapped reads would bypass xRead; the store never turns them on, and this file offers
// none, version 2 of the methods being the last without them.
const sqlite3_io_methods methods = {2,
                                    xClose,
                                    xRead,
                                    xWrite,
                                    xTruncate,
                                    xSync,
                                    xFileSize,
                                    xLock,
                                    xUnlock,
                                    xCheckReservedLock,
                                    xFileControl,
                                    xSectorSize,
                                    xDeviceCharacteristics,
                                    xShmMap,
                                    xShmLock,
                                    xShmBarrier,
                                    xShmUnmap,
                                    nullptr,
                                    nullptr};

int xOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    File* wrapped = asFile(file);
    std::memset(&wrapped->base, 0, sizeof wrapped->base);
    const int rc = base->xOpen(base, name, wrapped->real(), flags, outFlags);
    // A file whose open failed has no methods; SQLite then calls no xClose on it.
    wrapped->base.pMethods = wrapped->real()->pMethods ? &methods : nullptr;
    return rc;
}

// Removing a journal commits a change; with the folder's sync asked for, that sync is the last
// step, and may fail too. The file is removed as the system's VFS removes it, the folder's sync
// counted and failed like a file's.
int xDelete(sqlite3_vfs*, const char* name, int syncFolder) {
    const int rc = base->xDelete(base, name, 0);
    if (rc != SQLITE_OK || !syncFolder) {
        return rc;
    }
    const int code = faultFor(Call::Sync);
    return code == SQLITE_IOERR_FSYNC ? SQLITE_IOERR_DIR_FSYNC : code;
}

} // namespace

void install() {
    static std::once_flag once;
    std::call_once(once, [] {
        base = sqlite3_vfs_find(nullptr);
        vfs = *base;
        vfs.zName = "faulty";
        vfs.szOsFile = static_cast<int>(sizeof(File)) + base->szOsFile;
        vfs.xOpen = xOpen;
        vfs.xDelete = xDelete;
        sqlite3_vfs_register(&vfs, 1);
    });
}

void arm(Call call, int nth, int code, Lasting lasting) {
    resetCounts();
    std::lock_guard lock(faultMutex);
    fault = {true, call, nth, code, lasting, false};
}

void disarm() {
    std::lock_guard lock(faultMutex);
    fault.armed = false;
}

int count(Call call) {
    return counts[static_cast<std::size_t>(call)];
}

void resetCounts() {
    for (auto& c : counts) {
        c = 0;
    }
}

bool struck() {
    std::lock_guard lock(faultMutex);
    return fault.struck;
}

} // namespace faulty
