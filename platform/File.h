// The Win32 file calls the program makes: opaque handles over the system's files, the file
// position kept in the layer, and Win32 error codes.
#ifndef PLATFORM_FILE_H_
#define PLATFORM_FILE_H_

#include <cstdint>

#include "platform/Win32Api.h"

/// Opens an existing file for GENERIC_READ, or GENERIC_READ|GENERIC_WRITE. Share mode 0 means
/// nobody else may hold the file while it is open (on POSIX a lease, or failing that locks).
/// Returns INVALID_HANDLE_VALUE and sets the last error on failure.
/// With FILE_FLAG_OPEN_REPARSE_POINT in dwFlags a symbolic link at the path is not followed
/// (POSIX). Anything but a regular file fails with ERROR_CANT_ACCESS_FILE, except a directory
/// opened without that flag (ERROR_ACCESS_DENIED); no open waits.
/// Requires: disposition OPEN_EXISTING; security and template are unused.
HANDLE CreateFileA(const char* pszPath, DWORD dwAccess, DWORD dwShareMode, void* pSecurity,
                   DWORD dwDisposition, DWORD dwFlags, HANDLE hTemplate);

/// Reads up to nToRead bytes at the file position; fewer only at the end of the file.
/// *pnRead receives the count (0 at or past the end). FALSE and the last error on failure.
BOOL ReadFile(HANDLE h, void* pBuffer, DWORD nToRead, DWORD* pnRead, void* pOverlapped);

/// Writes all nToWrite bytes at the file position. FALSE and the last error on failure.
BOOL WriteFile(HANDLE h, const void* pBuffer, DWORD nToWrite, DWORD* pnWritten, void* pOverlapped);

/// Makes the file end at the current file position (shorter or, past the end, longer).
BOOL SetEndOfFile(HANDLE h);

/// Moves the file position from FILE_BEGIN or FILE_CURRENT, like SetFilePointerEx;
/// a position past the end is allowed and does not grow the file. A resulting negative
/// position fails with ERROR_NEGATIVE_SEEK.
BOOL MoveFilePointer(HANDLE h, std::int64_t nDistance, std::int64_t* pnNewPos, DWORD dwMethod);

/// The file's size now, as the system sees it. FALSE and the last error on failure.
BOOL GetFileSizeEx(HANDLE h, std::int64_t* pnSize);

/// Closes the file and releases its lock.
BOOL CloseHandle(HANDLE h);

/// The code of the calling thread's last failed call, as a Win32 error code.
DWORD GetLastError();
void SetLastError(DWORD dwError);

#endif  // PLATFORM_FILE_H_
