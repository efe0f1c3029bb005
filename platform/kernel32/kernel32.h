// kernel32.h - the KERNEL32 library's own internals, for its files and the libraries above it.
#ifndef ORBIX_KERNEL32_H
#define ORBIX_KERNEL32_H

#include <windows.h>

#include <stddef.h>

// The error codes the layer sets beyond those the program names (winbase.h), as Windows has them.
#define ERROR_SUCCESS 0
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_WRITE_FAULT 29
#define ERROR_READ_FAULT 30
#define ERROR_INVALID_PARAMETER 87
#define ERROR_DISK_FULL 112
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_FILENAME_EXCED_RANGE 206
#define ERROR_UNABLE_TO_REMOVE_REPLACED 1175

namespace kernel32 {

void setLastError(DWORD e);
// The size a global memory block was allocated with; 0 for a handle that names no block.
size_t blockSize(HGLOBAL h);

}  // namespace kernel32

#endif
