// KERNEL32 files over POSIX, the last error, the process id and global memory.
#include <windows.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

DWORD fromErrno(int e) {
    switch (e) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    default: return ERROR_WRITE_FAULT;
    }
}

BOOL failWith(DWORD e) {
    lastError = e;
    return FALSE;
}
BOOL failErrno() { return failWith(fromErrno(errno)); }

struct File {
    uint32_t magic = 0x46494C45;  // 'FILE'
    int fd = -1;
};

// Handles handed out and not yet closed: a stale or made-up handle is refused, never followed.
std::unordered_set<File *> &handles() {
    static auto *s = new std::unordered_set<File *>;
    return *s;
}

File *file(HANDLE h) {
    auto *f = static_cast<File *>(h);
    return handles().count(f) ? f : nullptr;
}

std::string folderOf(const char *path) {
    std::string p = path;
    size_t slash = p.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : p.substr(0, slash);
}

// A rename is durable only once the folder that holds the new name is on disk too.
bool syncFolderOf(const char *path) {
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync a folder
    close(fd);
    return ok;
}

}  // namespace

/* CreateFileA (kernel32) */
HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD, HANDLE) {
    if (!name || !*name) {
        lastError = ERROR_PATH_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    int flags = O_CLOEXEC;
    bool reads = access & GENERIC_READ, writes = access & GENERIC_WRITE;
    flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default: lastError = ERROR_INVALID_PARAMETER; return INVALID_HANDLE_VALUE;
    }
    int fd = ::open(name, flags, 0666);
    if (fd < 0) {
        failErrno();
        return INVALID_HANDLE_VALUE;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        lastError = ERROR_ACCESS_DENIED;
        return INVALID_HANDLE_VALUE;
    }
    auto *f = new File;
    f->fd = fd;
    handles().insert(f);
    lastError = ERROR_SUCCESS;
    return f;
}

/* ReadFile (kernel32) */
BOOL WINAPI ReadFile(HANDLE h, LPVOID buf, DWORD n, LPDWORD got, LPOVERLAPPED) {
    File *f = file(h);
    if (got) *got = 0;
    if (!f) return failWith(ERROR_INVALID_HANDLE);
    if (!buf && n) return failWith(ERROR_INVALID_PARAMETER);
    ssize_t r;
    do r = ::read(f->fd, buf, n);
    while (r < 0 && errno == EINTR);
    if (r < 0) return failWith(ERROR_READ_FAULT);
    if (got) *got = DWORD(r);
    return TRUE;
}

/* WriteFile (kernel32) */
BOOL WINAPI WriteFile(HANDLE h, LPCVOID buf, DWORD n, LPDWORD written, LPOVERLAPPED) {
    File *f = file(h);
    if (written) *written = 0;
    if (!f) return failWith(ERROR_INVALID_HANDLE);
    if (!buf && n) return failWith(ERROR_INVALID_PARAMETER);
    DWORD done = 0;
    // Like Windows, a write to a disk file is complete or an error, never quietly partial.
    while (done < n) {
        ssize_t r = ::write(f->fd, static_cast<const char *>(buf) + done, n - done);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            if (written) *written = done;
            return r < 0 ? failErrno() : failWith(ERROR_DISK_FULL);
        }
        done += DWORD(r);
    }
    if (written) *written = done;
    return TRUE;
}

/* FlushFileBuffers (kernel32) */
BOOL WINAPI FlushFileBuffers(HANDLE h) {
    File *f = file(h);
    if (!f) return failWith(ERROR_INVALID_HANDLE);
    return fsync(f->fd) == 0 ? TRUE : failErrno();
}

/* GetFileSizeEx (kernel32) */
BOOL WINAPI GetFileSizeEx(HANDLE h, PLARGE_INTEGER size) {
    File *f = file(h);
    if (!f || !size) return failWith(f ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    struct stat st;
    if (fstat(f->fd, &st) != 0) return failErrno();
    size->QuadPart = st.st_size;
    return TRUE;
}

/* CloseHandle (kernel32) */
BOOL WINAPI CloseHandle(HANDLE h) {
    File *f = file(h);
    if (!f) return failWith(ERROR_INVALID_HANDLE);
    handles().erase(f);
    // A close that fails may have lost written data (NFS reports it only here).
    int r = close(f->fd);
    int e = errno;
    f->magic = 0;
    delete f;
    if (r != 0 && e != EINTR) return failWith(fromErrno(e));
    return TRUE;
}

/* DeleteFileA (kernel32) */
BOOL WINAPI DeleteFileA(LPCSTR name) {
    if (!name) return failWith(ERROR_PATH_NOT_FOUND);
    struct stat st;
    if (lstat(name, &st) == 0 && S_ISDIR(st.st_mode)) return failWith(ERROR_ACCESS_DENIED);
    return unlink(name) == 0 ? TRUE : failErrno();
}

/* MoveFileExA (kernel32) */
BOOL WINAPI MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    if (!from || !to) return failWith(ERROR_INVALID_PARAMETER);
    struct stat st;
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && lstat(to, &st) == 0) return failWith(ERROR_ALREADY_EXISTS);
    if (lstat(to, &st) == 0 && S_ISDIR(st.st_mode)) return failWith(ERROR_ACCESS_DENIED);
    if (rename(from, to) != 0) return failErrno();
    if ((flags & MOVEFILE_WRITE_THROUGH) && !syncFolderOf(to)) return failErrno();
    return TRUE;
}

/* ReplaceFileA (kernel32) */
BOOL WINAPI ReplaceFileA(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD, LPVOID, LPVOID) {
    if (!replaced || !replacement || backup) return failWith(ERROR_INVALID_PARAMETER);
    struct stat old, rep;
    if (stat(replaced, &old) != 0) return failErrno();
    if (stat(replacement, &rep) != 0) return failErrno();
    if (S_ISDIR(old.st_mode)) return failWith(ERROR_ACCESS_DENIED);
    // Windows will not replace a file its caller may not write; a rename here would.
    if (access(replaced, W_OK) != 0) return failWith(ERROR_UNABLE_TO_REMOVE_REPLACED);
    // The new file takes the old one's place with its permissions and, where allowed, its owner.
    if ((rep.st_uid != old.st_uid || rep.st_gid != old.st_gid) && chown(replacement, old.st_uid, old.st_gid) != 0 &&
        errno != EPERM)
        return failErrno();
    if (chmod(replacement, old.st_mode & 07777) != 0) return failErrno();
    if (rename(replacement, replaced) != 0) return failErrno();
    if (!syncFolderOf(replaced)) return failErrno();
    return TRUE;
}

/* GetFileAttributesA (kernel32) */
DWORD WINAPI GetFileAttributesA(LPCSTR name) {
    struct stat st;
    if (!name || stat(name, &st) != 0) {
        lastError = name ? fromErrno(errno) : ERROR_INVALID_PARAMETER;
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD a = 0;
    if (S_ISDIR(st.st_mode)) a |= FILE_ATTRIBUTE_DIRECTORY;
    if (!(st.st_mode & 0222)) a |= FILE_ATTRIBUTE_READONLY;
    return a ? a : FILE_ATTRIBUTE_NORMAL;
}

/* GetFinalPathNameByHandleA (kernel32) */
DWORD WINAPI GetFinalPathNameByHandleA(HANDLE h, LPSTR out, DWORD size, DWORD) {
    File *f = file(h);
    if (!f) {
        lastError = ERROR_INVALID_HANDLE;
        return 0;
    }
    char link[64], path[PATH_MAX + 1];
    snprintf(link, sizeof link, "/proc/self/fd/%d", f->fd);
    ssize_t n = readlink(link, path, PATH_MAX);
    if (n <= 0) {
        lastError = ERROR_INVALID_HANDLE;
        return 0;
    }
    path[n] = 0;
    // As Windows: the length without the terminator when it fits, the size needed with it when not.
    if (!out || DWORD(n) + 1 > size) {
        lastError = ERROR_INSUFFICIENT_BUFFER;
        return DWORD(n) + 1;
    }
    memcpy(out, path, size_t(n) + 1);
    return DWORD(n);
}

/* GetLastError (kernel32) */
DWORD WINAPI GetLastError(void) { return lastError; }

/* SetLastError (kernel32) */
void WINAPI SetLastError(DWORD e) { lastError = e; }

/* GetCurrentProcessId (kernel32) */
DWORD WINAPI GetCurrentProcessId(void) { return DWORD(getpid()); }

namespace {
struct Block {
    uint32_t magic = 0x474D454D;  // 'GMEM'
    size_t size = 0;
    int locks = 0;
    char data[1];
};
std::unordered_set<Block *> &blocks() {
    static auto *s = new std::unordered_set<Block *>;
    return *s;
}
Block *block(HGLOBAL h) {
    auto *b = static_cast<Block *>(h);
    return blocks().count(b) ? b : nullptr;
}
}  // namespace

/* GlobalAlloc (kernel32) */
HGLOBAL WINAPI GlobalAlloc(UINT flags, size_t n) {
    if (n > (size_t(1) << 31)) {
        lastError = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    void *raw = (flags & GMEM_ZEROINIT) ? calloc(1, offsetof(Block, data) + n + 1) : malloc(offsetof(Block, data) + n + 1);
    if (!raw) {
        lastError = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    auto *b = new (raw) Block;
    b->size = n;
    blocks().insert(b);
    return b;
}

/* GlobalLock (kernel32) */
LPVOID WINAPI GlobalLock(HGLOBAL h) {
    Block *b = block(h);
    if (!b) {
        lastError = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    ++b->locks;
    return b->data;
}

/* GlobalUnlock (kernel32) */
BOOL WINAPI GlobalUnlock(HGLOBAL h) {
    Block *b = block(h);
    if (!b || b->locks == 0) {
        lastError = b ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
        return FALSE;
    }
    if (--b->locks > 0) return TRUE;
    // The last unlock gives zero too, and tells it from a failure by leaving no error.
    lastError = ERROR_SUCCESS;
    return FALSE;
}

/* GlobalSize (kernel32) */
size_t WINAPI GlobalSize(HGLOBAL h) {
    Block *b = block(h);
    return b ? b->size : 0;
}

/* GlobalFree (kernel32) */
HGLOBAL WINAPI GlobalFree(HGLOBAL h) {
    Block *b = block(h);
    if (!b) {
        lastError = ERROR_INVALID_HANDLE;
        return h;
    }
    blocks().erase(b);
    b->magic = 0;
    free(b);
    return nullptr;
}
