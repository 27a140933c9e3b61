#include "data/coalescing_vfs.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

// A run is written once it would pass this size; a single larger write passes straight
// through. The Windows layer hands the system any length and writes until all of it is
// written; the Unix one masks a write's length to 17 bits, so there a run stays within the
// engine's own largest write (a 64 KB page).
#ifdef _WIN32
constexpr int kRunLimit = 1 << 20;
#else
constexpr int kRunLimit = 1 << 16;
#endif

struct HeldRun {
    std::vector<char> bytes;
    sqlite3_int64 offset = 0;
};

// Our file, with the default layer's file after it in the same allocation.
struct CoalescingFile {
    sqlite3_file base;
    sqlite3_file* real;
    HeldRun* held;
    sqlite3_io_methods methods;  // the default layer's file's, each through ours
};

// Room for the default layer's file; a layer put in its place (a test's) may be larger.
constexpr int kRealFileRoom = 1024;

// Whatever layer is the default when asked, so that one put in the default's place still sees
// every call.
sqlite3_vfs* Below(sqlite3_vfs*) { return sqlite3_vfs_find(nullptr); }
CoalescingFile* Of(sqlite3_file* file) { return reinterpret_cast<CoalescingFile*>(file); }
sqlite3_file* Real(sqlite3_file* file) { return Of(file)->real; }

int Flush(sqlite3_file* file) {
    HeldRun& run = *Of(file)->held;
    if (run.bytes.empty()) return SQLITE_OK;
    const int rc = Real(file)->pMethods->xWrite(Real(file), run.bytes.data(), int(run.bytes.size()), run.offset);
    run.bytes.clear();
    return rc;
}

int Close(sqlite3_file* file) {
    const int flushed = Flush(file);
    const int closed = Real(file)->pMethods->xClose(Real(file));
    delete Of(file)->held;
    Of(file)->held = nullptr;
    return flushed != SQLITE_OK ? flushed : closed;
}

int Write(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
    HeldRun& run = *Of(file)->held;
    const bool follows = !run.bytes.empty() && offset == run.offset + sqlite3_int64(run.bytes.size());
    if (!follows || int(run.bytes.size()) + amount > kRunLimit) {
        if (const int rc = Flush(file); rc != SQLITE_OK) return rc;
        if (amount >= kRunLimit) return Real(file)->pMethods->xWrite(Real(file), data, amount, offset);
        run.offset = offset;
    }
    try {
        const char* bytes = static_cast<const char*>(data);
        run.bytes.insert(run.bytes.end(), bytes, bytes + amount);
    } catch (const std::bad_alloc&) {
        if (const int rc = Flush(file); rc != SQLITE_OK) return rc;
        return Real(file)->pMethods->xWrite(Real(file), data, amount, offset);
    }
    return SQLITE_OK;
}

// Every other call sees the file with what is held written.
#define MUHE_FLUSHED(call)                                          \
    do {                                                            \
        if (const int rc = Flush(file); rc != SQLITE_OK) return rc; \
        return Real(file)->pMethods->call;                          \
    } while (0)

int Read(sqlite3_file* file, void* data, int amount, sqlite3_int64 offset) {
    MUHE_FLUSHED(xRead(Real(file), data, amount, offset));
}
int Truncate(sqlite3_file* file, sqlite3_int64 size) { MUHE_FLUSHED(xTruncate(Real(file), size)); }
int Sync(sqlite3_file* file, int flags) { MUHE_FLUSHED(xSync(Real(file), flags)); }
int FileSize(sqlite3_file* file, sqlite3_int64* size) { MUHE_FLUSHED(xFileSize(Real(file), size)); }
int Lock(sqlite3_file* file, int level) { MUHE_FLUSHED(xLock(Real(file), level)); }
int Unlock(sqlite3_file* file, int level) { MUHE_FLUSHED(xUnlock(Real(file), level)); }
int CheckReservedLock(sqlite3_file* file, int* out) { MUHE_FLUSHED(xCheckReservedLock(Real(file), out)); }
int FileControl(sqlite3_file* file, int op, void* arg) { MUHE_FLUSHED(xFileControl(Real(file), op, arg)); }
int ShmMap(sqlite3_file* file, int region, int size, int extend, void volatile** out) {
    MUHE_FLUSHED(xShmMap(Real(file), region, size, extend, out));
}
int ShmLock(sqlite3_file* file, int offset, int n, int flags) { MUHE_FLUSHED(xShmLock(Real(file), offset, n, flags)); }
int ShmUnmap(sqlite3_file* file, int deleteFlag) { MUHE_FLUSHED(xShmUnmap(Real(file), deleteFlag)); }
int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** out) {
    MUHE_FLUSHED(xFetch(Real(file), offset, amount, out));
}
int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) { MUHE_FLUSHED(xUnfetch(Real(file), offset, page)); }

#undef MUHE_FLUSHED

void ShmBarrier(sqlite3_file* file) {
    Flush(file);
    Real(file)->pMethods->xShmBarrier(Real(file));
}
int SectorSize(sqlite3_file* file) { return Real(file)->pMethods->xSectorSize(Real(file)); }
int DeviceCharacteristics(sqlite3_file* file) { return Real(file)->pMethods->xDeviceCharacteristics(Real(file)); }

// The methods of a file depend on the version of the default layer's: a call it lacks stays
// missing here too.
sqlite3_io_methods MethodsFor(const sqlite3_io_methods& real) {
    sqlite3_io_methods m{};
    m.iVersion = real.iVersion;
    m.xClose = Close;
    m.xRead = Read;
    m.xWrite = Write;
    m.xTruncate = Truncate;
    m.xSync = Sync;
    m.xFileSize = FileSize;
    m.xLock = Lock;
    m.xUnlock = Unlock;
    m.xCheckReservedLock = CheckReservedLock;
    m.xFileControl = FileControl;
    m.xSectorSize = SectorSize;
    m.xDeviceCharacteristics = DeviceCharacteristics;
    if (real.iVersion >= 2) {
        m.xShmMap = real.xShmMap ? ShmMap : nullptr;
        m.xShmLock = real.xShmLock ? ShmLock : nullptr;
        m.xShmBarrier = real.xShmBarrier ? ShmBarrier : nullptr;
        m.xShmUnmap = real.xShmUnmap ? ShmUnmap : nullptr;
    }
    if (real.iVersion >= 3) {
        m.xFetch = real.xFetch ? Fetch : nullptr;
        m.xUnfetch = real.xUnfetch ? Unfetch : nullptr;
    }
    return m;
}

int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    CoalescingFile* ours = Of(file);
    ours->base.pMethods = nullptr;
    ours->real = reinterpret_cast<sqlite3_file*>(ours + 1);
    if (Below(vfs) == vfs || Below(vfs)->szOsFile > kRealFileRoom) return SQLITE_CANTOPEN;
    ours->held = new (std::nothrow) HeldRun;
    if (!ours->held) return SQLITE_NOMEM;
    std::memset(ours->real, 0, size_t(Below(vfs)->szOsFile));
    const int rc = Below(vfs)->xOpen(Below(vfs), name, ours->real, flags, outFlags);
    if (rc != SQLITE_OK || !ours->real->pMethods) {
        if (ours->real->pMethods) ours->real->pMethods->xClose(ours->real);
        delete ours->held;
        ours->held = nullptr;
        return rc != SQLITE_OK ? rc : SQLITE_CANTOPEN;
    }
    // The default layer's methods differ by file (locking, a database opened without locks).
    ours->methods = MethodsFor(*ours->real->pMethods);
    ours->base.pMethods = &ours->methods;
    return SQLITE_OK;
}

int Delete(sqlite3_vfs* vfs, const char* name, int syncDir) { return Below(vfs)->xDelete(Below(vfs), name, syncDir); }
int Access(sqlite3_vfs* vfs, const char* name, int flags, int* out) {
    return Below(vfs)->xAccess(Below(vfs), name, flags, out);
}
int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out) {
    return Below(vfs)->xFullPathname(Below(vfs), name, size, out);
}
int Randomness(sqlite3_vfs* vfs, int size, char* out) { return Below(vfs)->xRandomness(Below(vfs), size, out); }
int Sleep(sqlite3_vfs* vfs, int microseconds) { return Below(vfs)->xSleep(Below(vfs), microseconds); }
int CurrentTime(sqlite3_vfs* vfs, double* out) { return Below(vfs)->xCurrentTime(Below(vfs), out); }
int GetLastError(sqlite3_vfs* vfs, int size, char* out) { return Below(vfs)->xGetLastError(Below(vfs), size, out); }
int CurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* out) { return Below(vfs)->xCurrentTimeInt64(Below(vfs), out); }

sqlite3_vfs MakeVfs(sqlite3_vfs* below) {
    sqlite3_vfs v{};
    v.iVersion = 2;
    v.szOsFile = int(sizeof(CoalescingFile)) + std::max(below->szOsFile, kRealFileRoom);
    v.mxPathname = below->mxPathname;
    v.zName = "muhe-coalescing";
    v.xOpen = Open;
    v.xDelete = Delete;
    v.xAccess = Access;
    v.xFullPathname = FullPathname;
    v.xRandomness = Randomness;
    v.xSleep = Sleep;
    v.xCurrentTime = CurrentTime;
    v.xGetLastError = GetLastError;
    v.xCurrentTimeInt64 = below->iVersion >= 2 && below->xCurrentTimeInt64 ? CurrentTimeInt64 : nullptr;
    return v;
}

}  // namespace

const char* CoalescingVfsName() {
    // Made and registered once; the engine keeps a pointer to it for the life of the process.
    static sqlite3_vfs vfs = MakeVfs(sqlite3_vfs_find(nullptr));
    static const int registered = sqlite3_vfs_register(&vfs, 0);
    return registered == SQLITE_OK ? vfs.zName : nullptr;
}
