// winbase.h - the KERNEL32 subset this layer implements: exactly what the program calls.
// Implements: CreateFileA (CREATE_NEW, OPEN_EXISTING), ReadFile, WriteFile, FlushFileBuffers,
// CloseHandle, DeleteFileA, MoveFileExA, ReplaceFileA, GetFinalPathNameByHandleA, GetLastError,
// GetCurrentProcessId, GlobalAlloc, GlobalLock, GlobalUnlock, GlobalFree.
// Differences from Win32: files are POSIX files. Sharing modes, security attributes, attributes,
// overlapped I/O and template files are ignored. Opening a directory fails, as on Windows
// without FILE_FLAG_BACKUP_SEMANTICS. MOVEFILE_WRITE_THROUGH and ReplaceFileA also sync the
// folder, so the new name survives a crash once the call returns. ReplaceFileA gives the
// replacement the replaced file's permission bits (and owner, where allowed) and refuses a file
// the caller may not write. GetFinalPathNameByHandleA gives the POSIX path with every link
// resolved. Global memory is plain heap memory: GMEM_MOVEABLE blocks never move, and locks are not
// counted (GlobalUnlock gives FALSE with no error, as the last unlock does). GetLastError
// gives the Win32 code of a failure; the program tells apart the ones named here.
#ifndef ORBIX_WINBASE_H
#define ORBIX_WINBASE_H

#include "windef.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;
typedef void *HGLOBAL;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

#define GENERIC_READ 0x80000000UL
#define GENERIC_WRITE 0x40000000UL
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004
#define CREATE_NEW 1
#define OPEN_EXISTING 3
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_WRITE_THROUGH 0x00000008
#define FILE_NAME_NORMALIZED 0x0
#define VOLUME_NAME_DOS 0x0

#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_ACCESS_DENIED 5
#define ERROR_FILE_EXISTS 80
#define ERROR_DISK_FULL 112
#define ERROR_INVALID_NAME 123
#define ERROR_ALREADY_EXISTS 183
#define ERROR_FILENAME_EXCED_RANGE 206
#define ERROR_UNABLE_TO_REMOVE_REPLACED 1175

#define GMEM_MOVEABLE 0x0002

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                          DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
                      LPOVERLAPPED lpOverlapped);
BOOL WINAPI FlushFileBuffers(HANDLE hFile);
BOOL WINAPI CloseHandle(HANDLE hObject);
BOOL WINAPI DeleteFileA(LPCSTR lpFileName);
BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
BOOL WINAPI ReplaceFileA(LPCSTR lpReplacedFileName, LPCSTR lpReplacementFileName, LPCSTR lpBackupFileName, DWORD dwReplaceFlags,
                         LPVOID lpExclude, LPVOID lpReserved);
DWORD WINAPI GetFinalPathNameByHandleA(HANDLE hFile, LPSTR lpszFilePath, DWORD cchFilePath, DWORD dwFlags);
DWORD WINAPI GetLastError(void);
DWORD WINAPI GetCurrentProcessId(void);

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, size_t dwBytes);
LPVOID WINAPI GlobalLock(HGLOBAL hMem);
BOOL WINAPI GlobalUnlock(HGLOBAL hMem);
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem);

#ifdef __cplusplus
}
#endif

#endif
