// Large blocks on Windows: aligned allocations; large pages there need a privilege users rarely
// hold, so the blocks use ordinary pages.
#include "platform/Memory.h"

#include <malloc.h>

void* AllocateLargeBlock(std::size_t nBytes) {
  const std::size_t nRounded = (nBytes + kLargeBlockBytes - 1) / kLargeBlockBytes * kLargeBlockBytes;
  return _aligned_malloc(nRounded, kLargeBlockBytes);
}

void FreeLargeBlock(void* pBlock, std::size_t /*nBytes*/) { _aligned_free(pBlock); }
