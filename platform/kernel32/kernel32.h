// kernel32.h - the KERNEL32 library's own internals, for its files and the libraries above it.
#ifndef ORBIX_KERNEL32_H
#define ORBIX_KERNEL32_H

#include <windows.h>

#include <stddef.h>

#include <string>

// The error codes the layer sets beyond those the program names (winbase.h), as Windows has them.
#define ERROR_SUCCESS 0
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_WRITE_FAULT 29
#define ERROR_READ_FAULT 30
#define ERROR_INVALID_PARAMETER 87
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_INVALID_PRINTER_NAME 1801

namespace kernel32 {

void setLastError(DWORD e);
// The size a global memory block was allocated with; 0 for a handle that names no block.
size_t blockSize(HGLOBAL h);

// Windows-1252 text as UTF-8 (U+FFFD for the five bytes it leaves undefined), and back, with '?'
// for what Windows-1252 cannot write (or bytes that are not UTF-8); whole says whether nothing was
// put in place of something else.
std::string utf8FromAnsi(const char *s, size_t n);
std::string ansiFromUtf8(const char *s, size_t n, bool *whole = nullptr);
// A file name as the system spells it (UTF-8). False, with ERROR_INVALID_NAME set, for a name with
// '?' or '*', which no Windows file name holds: a '?' is where a character Windows-1252 lacks was
// put, so such a name is refused, never taken for another file.
bool systemName(LPCSTR name, std::string &out);

}  // namespace kernel32

#endif
