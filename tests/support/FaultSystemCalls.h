// System calls that fail, or that let "another program" change the file, on purpose.
#ifndef TESTS_SUPPORT_FAULTSYSTEMCALLS_H_
#define TESTS_SUPPORT_FAULTSYSTEMCALLS_H_

#include <functional>

#include "platform/SystemCalls.h"
#include "platform/Win32Api.h"

/// The system's own calls, except where a switch says otherwise. Put in use for its lifetime.
class CFaultSystemCalls : public CSystemCalls {
 public:
  CFaultSystemCalls() : m_pPrevious(SetSystemCalls(this)) {}
  ~CFaultSystemCalls() override { SetSystemCalls(m_pPrevious); }
  CFaultSystemCalls(const CFaultSystemCalls&) = delete;
  CFaultSystemCalls& operator=(const CFaultSystemCalls&) = delete;

  bool bFailStartUp = false;     // the framework does not start
  bool bFailWriteOpen = false;   // a read-write open fails with ERROR_ACCESS_DENIED
  int nReadsBeforeFailure = -1;  // then every read fails with ERROR_IO_DEVICE; -1: never
  bool bFailWrite = false;       // writes fail with ERROR_DISK_FULL
  bool bFailTruncate = false;    // truncation fails with ERROR_ACCESS_DENIED
  /// Called as the size of an open file is asked for, before the answer is taken.
  std::function<void(NativeFile)> onFileSize;
  /// Called as a truncation begins: a look at the caller's state at that moment.
  std::function<void()> onTruncate;

  bool StartUp() override;
  std::uint32_t Open(const char* pszPath, bool bWrite, bool bExclusive, bool bNoFollow, NativeFile* pFile,
                     std::int64_t* pnSize) override;
  std::uint32_t ReadAt(NativeFile file, std::int64_t nOffset, void* pDest, std::size_t nCount,
                       std::size_t* pnDone) override;
  std::uint32_t WriteAt(NativeFile file, std::int64_t nOffset, const void* pSrc, std::size_t nCount,
                        std::size_t* pnDone) override;
  std::uint32_t Truncate(NativeFile file, std::int64_t nSize) override;
  std::uint32_t FileSize(NativeFile file, std::int64_t* pnSize) override;

 private:
  CSystemCalls* m_pPrevious;
};

#endif  // TESTS_SUPPORT_FAULTSYSTEMCALLS_H_
