// The calls the platform layer makes of the operating system, behind one narrow interface. The
// system's own calls are the default; tests put an implementation that fails on purpose in their
// place, so that the program itself carries no test switch.
#ifndef PLATFORM_SYSTEMCALLS_H_
#define PLATFORM_SYSTEMCALLS_H_

#include <cstddef>
#include <cstdint>

#include "platform/Native.h"

/// Each call answers a Win32 error code, 0 on success, as its Native* counterpart does.
class CSystemCalls {
 public:
  virtual ~CSystemCalls() = default;

  /// Prepares the process: true when the program can run.
  virtual bool StartUp() { return NativeStartUp(); }
  virtual std::uint32_t Open(const char* pszPath, bool bWrite, bool bExclusive, bool bNoFollow,
                             NativeFile* pFile, std::int64_t* pnSize) {
    return NativeOpen(pszPath, bWrite, bExclusive, bNoFollow, pFile, pnSize);
  }
  virtual std::uint32_t ReadAt(NativeFile file, std::int64_t nOffset, void* pDest, std::size_t nCount,
                               std::size_t* pnDone) {
    return NativeReadAt(file, nOffset, pDest, nCount, pnDone);
  }
  virtual std::uint32_t WriteAt(NativeFile file, std::int64_t nOffset, const void* pSrc, std::size_t nCount,
                                std::size_t* pnDone) {
    return NativeWriteAt(file, nOffset, pSrc, nCount, pnDone);
  }
  virtual std::uint32_t Truncate(NativeFile file, std::int64_t nSize) { return NativeTruncate(file, nSize); }
  virtual std::uint32_t FileSize(NativeFile file, std::int64_t* pnSize) {
    return NativeFileSize(file, pnSize);
  }
  virtual void Close(NativeFile file) { NativeClose(file); }
};

/// The calls in use: the system's own unless SetSystemCalls installed others.
CSystemCalls& SystemCalls();

/// Puts pCalls in use (nullptr: the system's own again) and returns the ones it replaces.
/// Requires: pCalls outlives its use.
CSystemCalls* SetSystemCalls(CSystemCalls* pCalls);

#endif  // PLATFORM_SYSTEMCALLS_H_
