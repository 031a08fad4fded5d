// The handful of Win32 file, process and debugger calls the program makes, with their
// types, constants and error codes, so that code above this layer reads the same everywhere.
#ifndef PLATFORM_WIN32API_H_
#define PLATFORM_WIN32API_H_

#include <cstdint>

using BOOL = int;
using DWORD = std::uint32_t;
using HANDLE = std::uintptr_t;  // opaque; 0 means "no file"
using HINSTANCE = void*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
constexpr HANDLE INVALID_HANDLE_VALUE = ~HANDLE{0};

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_ATTRIBUTE_REPARSE_POINT = 0x400;  // a link, where the walk lists one
constexpr DWORD FILE_FLAG_OPEN_REPARSE_POINT = 0x00200000;  // a link at the path is not followed
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_NEGATIVE_SEEK = 131;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_INVALID_NAME = 123;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_FILE_TOO_LARGE = 223;
constexpr DWORD ERROR_IO_DEVICE = 1117;
constexpr DWORD ERROR_CANT_ACCESS_FILE = 1920;
constexpr DWORD ERROR_CANT_RESOLVE_FILENAME = 1921;

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

/// Moves the file position from FILE_BEGIN, FILE_CURRENT or FILE_END, like SetFilePointerEx;
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

/// Hands the text to whoever listens on the debugger channel (see DebugOutput.h).
void OutputDebugStringA(const char* pszText);

HINSTANCE GetModuleHandleA(const char* pszModule);
const char* GetCommandLineA();

#endif  // PLATFORM_WIN32API_H_
