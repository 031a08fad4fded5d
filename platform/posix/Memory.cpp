// Large blocks on POSIX: aligned to the large-page size and marked for transparent huge pages.
#include "platform/Memory.h"

#include <sys/mman.h>

#include <cstdlib>

void* AllocateLargeBlock(std::size_t nBytes) {
  const std::size_t nRounded = (nBytes + kLargeBlockBytes - 1) / kLargeBlockBytes * kLargeBlockBytes;
  void* pBlock = std::aligned_alloc(kLargeBlockBytes, nRounded);
#ifdef MADV_HUGEPAGE
  // Only advice: where huge pages are off or scarce the block simply uses small pages.
  if (pBlock != nullptr) ::madvise(pBlock, nRounded, MADV_HUGEPAGE);
#endif
  return pBlock;
}

void FreeLargeBlock(void* pBlock, std::size_t /*nBytes*/) { std::free(pBlock); }
