// What each operating system provides under the Win32-shaped file layer. Results are Win32
// error codes (ERROR_SUCCESS, 0, when the call succeeded). Only standard types cross this
// boundary, so callers need no system header and the implementations need no layer header.
#ifndef PLATFORM_NATIVE_H_
#define PLATFORM_NATIVE_H_

#include <cstddef>
#include <cstdint>
#include <string>

using NativeFile = std::intptr_t;  // a descriptor or a system handle

/// Prepares the process for the run (signals, limits). True when the program can run.
bool NativeStartUp();

/// Opens an existing regular file, for reading or for reading and writing, without waiting.
/// With bExclusive the file is refused (ERROR_SHARING_VIOLATION) while another process has it
/// open (for writing, when bWrite is false), and other openers are kept out while it is open.
/// With bNoFollow a symbolic link at the end of the path is not followed. Anything but a
/// regular file gives ERROR_CANT_ACCESS_FILE, except a directory reached through a followed
/// path, which gives ERROR_ACCESS_DENIED. *pnSize receives the file's size.
std::uint32_t NativeOpen(const char* pszPath, bool bWrite, bool bExclusive, bool bNoFollow, NativeFile* pFile,
                         std::int64_t* pnSize);
/// One read of up to nCount bytes at nOffset; *pnDone is 0 at or past the end of the file.
std::uint32_t NativeReadAt(NativeFile file, std::int64_t nOffset, void* pDest, std::size_t nCount,
                           std::size_t* pnDone);
/// One write of up to nCount bytes at nOffset.
std::uint32_t NativeWriteAt(NativeFile file, std::int64_t nOffset, const void* pSrc, std::size_t nCount,
                            std::size_t* pnDone);
/// Makes the file nSize bytes long.
std::uint32_t NativeTruncate(NativeFile file, std::int64_t nSize);
std::uint32_t NativeFileSize(NativeFile file, std::int64_t* pnSize);
void NativeClose(NativeFile file);

/// The system's own text for a Win32 error code, without a line end, where it has one.
bool NativeErrorText(std::uint32_t dwCode, std::string* pstrText);
/// Hands the text to the system's debugger channel, where there is one.
void NativeDebugOutput(const char* pszText);

#endif  // PLATFORM_NATIVE_H_
