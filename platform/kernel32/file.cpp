// KERNEL32 files over POSIX, the last error and the process id.
#include "kernel32.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <libgen.h>
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

}  // namespace

void kernel32::setLastError(DWORD e) { lastError = e; }

namespace {
BOOL failErrno() { return failWith(fromErrno(errno)); }

struct File {
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
    return dirname(p.data());
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

bool kernel32::systemName(LPCSTR name, std::string &out) {
    if (!name) return false;
    if (strpbrk(name, "?*")) {
        lastError = ERROR_INVALID_NAME;
        return false;
    }
    out = kernel32::utf8FromAnsi(name, strlen(name));
    return true;
}

/* CreateFileA (kernel32) */
HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD, HANDLE) {
    std::string path;
    if (!name || !*name) {
        lastError = ERROR_PATH_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    if (!kernel32::systemName(name, path)) return INVALID_HANDLE_VALUE;
    int flags = O_CLOEXEC;
    bool reads = access & GENERIC_READ, writes = access & GENERIC_WRITE;
    flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case OPEN_EXISTING: break;
    default: lastError = ERROR_INVALID_PARAMETER; return INVALID_HANDLE_VALUE;
    }
    int fd = ::open(path.c_str(), flags, 0666);
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
    // Like Windows, a write to a disk file is complete or an error, never quietly partial. The
    // program writes only to files it has just made on disk, which no signal interrupts (a read
    // may come from whatever the user names, and is tried again).
    while (done < n) {
        ssize_t r = ::write(f->fd, static_cast<const char *>(buf) + done, n - done);
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

/* CloseHandle (kernel32) */
BOOL WINAPI CloseHandle(HANDLE h) {
    File *f = file(h);
    if (!f) return failWith(ERROR_INVALID_HANDLE);
    handles().erase(f);
    // A close that fails may have lost written data (NFS reports it only here).
    int r = close(f->fd);
    int e = errno;
    delete f;
    if (r != 0 && e != EINTR) return failWith(fromErrno(e));
    return TRUE;
}

/* DeleteFileA (kernel32) */
BOOL WINAPI DeleteFileA(LPCSTR fileName) {
    std::string name;
    if (!fileName) return failWith(ERROR_PATH_NOT_FOUND);
    if (!kernel32::systemName(fileName, name)) return FALSE;
    struct stat st;
    if (lstat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return failWith(ERROR_ACCESS_DENIED);
    return unlink(name.c_str()) == 0 ? TRUE : failErrno();
}

/* MoveFileExA (kernel32) */
BOOL WINAPI MoveFileExA(LPCSTR fromName, LPCSTR toName, DWORD flags) {
    std::string from, to;
    if (!fromName || !toName) return failWith(ERROR_INVALID_PARAMETER);
    if (!kernel32::systemName(fromName, from) || !kernel32::systemName(toName, to)) return FALSE;
    struct stat st;
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && lstat(to.c_str(), &st) == 0) return failWith(ERROR_ALREADY_EXISTS);
    if (lstat(to.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return failWith(ERROR_ACCESS_DENIED);
    if (rename(from.c_str(), to.c_str()) != 0) return failErrno();
    if ((flags & MOVEFILE_WRITE_THROUGH) && !syncFolderOf(to.c_str())) return failErrno();
    return TRUE;
}

/* ReplaceFileA (kernel32) */
BOOL WINAPI ReplaceFileA(LPCSTR replacedName, LPCSTR replacementName, LPCSTR backup, DWORD, LPVOID, LPVOID) {
    std::string a, b;
    if (!replacedName || !replacementName || backup) return failWith(ERROR_INVALID_PARAMETER);
    if (!kernel32::systemName(replacedName, a) || !kernel32::systemName(replacementName, b)) return FALSE;
    const char *replaced = a.c_str(), *replacement = b.c_str();
    struct stat old, rep;
    if (stat(replaced, &old) != 0) return failErrno();
    if (stat(replacement, &rep) != 0) return failErrno();
    if (S_ISDIR(old.st_mode)) return failWith(ERROR_ACCESS_DENIED);
    // Windows will not replace a file its caller may not write; a rename here would.
    if (access(replaced, W_OK) != 0) return failWith(ERROR_UNABLE_TO_REMOVE_REPLACED);
    // The new file takes the old one's place with its permissions and, where allowed, its owner.
    if ((rep.st_uid != old.st_uid || rep.st_gid != old.st_gid) && chown(replacement, old.st_uid, old.st_gid) != 0 && errno != EPERM)
        return failErrno();
    if (chmod(replacement, old.st_mode & 07777) != 0) return failErrno();
    if (rename(replacement, replaced) != 0) return failErrno();
    if (!syncFolderOf(replaced)) return failErrno();
    return TRUE;
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
    bool whole = true;
    const std::string ansi = kernel32::ansiFromUtf8(path, size_t(n), &whole);
    if (!whole) {
        lastError = ERROR_INVALID_NAME;
        return 0;
    }
    // As Windows: the length without the terminator when it fits, the size needed with it when not.
    if (!out || DWORD(ansi.size()) + 1 > size) {
        lastError = ERROR_INSUFFICIENT_BUFFER;
        return DWORD(ansi.size()) + 1;
    }
    memcpy(out, ansi.c_str(), ansi.size() + 1);
    return DWORD(ansi.size());
}

/* GetLastError (kernel32) */
DWORD WINAPI GetLastError(void) { return lastError; }

/* GetCurrentProcessId (kernel32) */
DWORD WINAPI GetCurrentProcessId(void) { return DWORD(getpid()); }
