// KERNEL32 global memory: plain heap blocks behind checked handles (GMEM_MOVEABLE blocks never
// move), the form the clipboard takes its data in.
#include "kernel32.h"

#include <cstdlib>
#include <new>
#include <unordered_set>

namespace {

struct Block {
    size_t size = 0;
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
    return b->data;
}

/* GlobalUnlock (kernel32) */
// Blocks never move, so locks are not counted: the program locks a block once, and its one
// unlock gives zero with no error, as Windows's last one does.
BOOL WINAPI GlobalUnlock(HGLOBAL h) {
    kernel32::setLastError(block(h) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE);
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
