// The one place that turns "FKT or not" into a concrete header kind.
#include "tape/ChunkHdr.h"

#include "tape/AWSChunkHdr.h"
#include "tape/FKTChunkHdr.h"

std::unique_ptr<CChunkHdr> MakeChunkHdr(bool bFKT) {
  if (bFKT) return std::make_unique<CFKTChunkHdr>();
  return std::make_unique<CAWSChunkHdr>();
}

std::unique_ptr<CChunkHdr> MakeChunkHdr(bool bFKT, const void* pRaw) {
  if (bFKT) return std::make_unique<CFKTChunkHdr>(pRaw);
  return std::make_unique<CAWSChunkHdr>(pRaw);
}
