// KERNEL32 global memory: plain heap blocks behind checked handles (GMEM_MOVEABLE blocks never
// move), the form the clipboard takes its data in.
#include "kernel32.h"

#include <cstdlib>
#include <new>
#include <unordered_set>

namespace {

struct Block {
    size_t size = 0;
    int locks = 0;
    char data[1];
};

// Blocks handed out and not yet freed: a stale or made-up handle is refused, never followed.
std::unordered_set<Block *> &blocks() {
    static auto *s = new std::unordered_set<Block *>;
    return *s;
}

Block *block(HGLOBAL h) {
    auto *b = static_cast<Block *>(h);
    return blocks().count(b) ? b : nullptr;
}

}  // namespace

size_t kernel32::blockSize(HGLOBAL h) {
    Block *b = block(h);
    return b ? b->size : 0;
}

/* GlobalAlloc (kernel32) */
HGLOBAL WINAPI GlobalAlloc(UINT, size_t n) {
    void *raw = n > (size_t(1) << 31) ? nullptr : malloc(offsetof(Block, data) + n + 1);
    if (!raw) {
        kernel32::setLastError(ERROR_NOT_ENOUGH_MEMORY);
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
        kernel32::setLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++b->locks;
    return b->data;
}

/* GlobalUnlock (kernel32) */
BOOL WINAPI GlobalUnlock(HGLOBAL h) {
    Block *b = block(h);
    if (!b || b->locks == 0) {
        kernel32::setLastError(b ? ERROR_SUCCESS : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--b->locks > 0) return TRUE;
    // The last unlock gives zero too, and tells it from a failure by leaving no error.
    kernel32::setLastError(ERROR_SUCCESS);
    return FALSE;
}

/* GlobalFree (kernel32) */
HGLOBAL WINAPI GlobalFree(HGLOBAL h) {
    Block *b = block(h);
    if (!b) {
        kernel32::setLastError(ERROR_INVALID_HANDLE);
        return h;
    }
    blocks().erase(b);
    free(b);
    return nullptr;
}
