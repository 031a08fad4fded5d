#include "tests/support/FaultSystemCalls.h"

bool CFaultSystemCalls::StartUp() { return !bFailStartUp && CSystemCalls::StartUp(); }

std::uint32_t CFaultSystemCalls::Open(const char* pszPath, bool bWrite, bool bExclusive, bool bNoFollow,
                                      NativeFile* pFile, std::int64_t* pnSize) {
  if (bWrite && bFailWriteOpen) return ERROR_ACCESS_DENIED;
  return CSystemCalls::Open(pszPath, bWrite, bExclusive, bNoFollow, pFile, pnSize);
}

std::uint32_t CFaultSystemCalls::ReadAt(NativeFile file, std::int64_t nOffset, void* pDest,
                                        std::size_t nCount, std::size_t* pnDone) {
  *pnDone = 0;
  if (nReadsBeforeFailure == 0) return ERROR_IO_DEVICE;
  if (nReadsBeforeFailure > 0) --nReadsBeforeFailure;
  return CSystemCalls::ReadAt(file, nOffset, pDest, nCount, pnDone);
}

std::uint32_t CFaultSystemCalls::WriteAt(NativeFile file, std::int64_t nOffset, const void* pSrc,
                                         std::size_t nCount, std::size_t* pnDone) {
  *pnDone = 0;
  if (bFailWrite) return ERROR_DISK_FULL;
  return CSystemCalls::WriteAt(file, nOffset, pSrc, nCount, pnDone);
}

std::uint32_t CFaultSystemCalls::Truncate(NativeFile file, std::int64_t nSize) {
  if (onTruncate) onTruncate();
  if (bFailTruncate) return ERROR_ACCESS_DENIED;
  return CSystemCalls::Truncate(file, nSize);
}

std::uint32_t CFaultSystemCalls::FileSize(NativeFile file, std::int64_t* pnSize) {
  if (onFileSize) onFileSize(file);
  return CSystemCalls::FileSize(file, pnSize);
}
