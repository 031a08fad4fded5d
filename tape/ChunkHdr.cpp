// The one place that turns "FKT or not" into a concrete header kind.
#include "tape/ChunkHdr.h"

#include <new>

#include "tape/AWSChunkHdr.h"
#include "tape/FKTChunkHdr.h"

static_assert(sizeof(CAWSChunkHdr) <= kChunkHdrStorage && alignof(CAWSChunkHdr) <= kChunkHdrAlign);
static_assert(sizeof(CFKTChunkHdr) <= kChunkHdrStorage && alignof(CFKTChunkHdr) <= kChunkHdrAlign);

std::unique_ptr<CChunkHdr> MakeChunkHdr(bool bFKT) {
  if (bFKT) return std::make_unique<CFKTChunkHdr>();
  return std::make_unique<CAWSChunkHdr>();
}

std::unique_ptr<CChunkHdr> MakeChunkHdr(bool bFKT, const void* pRaw) {
  if (bFKT) return std::make_unique<CFKTChunkHdr>(pRaw);
  return std::make_unique<CAWSChunkHdr>(pRaw);
}

CChunkHdr* ConstructChunkHdr(void* pStorage, bool bFKT, const void* pRaw) {
  if (bFKT) return ::new (pStorage) CFKTChunkHdr(pRaw);
  return ::new (pStorage) CAWSChunkHdr(pRaw);
}
