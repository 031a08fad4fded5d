// The repair: the file ends after its last complete block or tapemark, or becomes one tapemark.
#include "app/Repair.h"

#include <memory>

#include "app/Globals.h"
#include "platform/File.h"
#include "support/SetFilePointer64.h"
#include "tape/ChunkHdr.h"

namespace {
// A file whose size is no longer the one the walk began with has been changed by another
// program: cutting it now could grow it or throw away what the walk never read.
bool IsFileAsWalked() {
  std::int64_t nSize = 0;
  if (!GetFileSizeEx(g_hFile, &nSize)) return false;
  if (nSize == g_nFileSize) return true;
  SetLastError(ERROR_SHARING_VIOLATION);
  return false;
}

bool CutFileAt(std::int64_t nOffset) {
  return IsFileAsWalked() && SetFilePointer64(g_hFile, nOffset, FILE_BEGIN) >= 0 && SetEndOfFile(g_hFile);
}

bool RewriteAsTapemark() {
  const std::unique_ptr<CChunkHdr> pMark = MakeChunkHdr(g_bIsFKT);
  pMark->Init(0, 0, 0x40, 0);
  if (!IsFileAsWalked() || SetFilePointer64(g_hFile, 0, FILE_BEGIN) < 0) return false;
  DWORD nWritten = 0;
  if (!WriteFile(g_hFile, pMark->GetHdrPtr(), pMark->GetHdrSize(), &nWritten, nullptr)) return false;
  return SetEndOfFile(g_hFile) != FALSE;
}
}  // namespace

std::int64_t FindCutPoint() {
  for (int i = g_ChunkArray.GetSize() - 1; i >= 0; --i) {
    const CChunkInfo& info = g_ChunkArray.GetAt(i);
    switch (info.m_pHdr->GetChunkType()) {
      case CHUNK_LAST:
      case CHUNK_WHOLE:
      case CHUNK_TAPEMARK:
        return info.m_nOffset + std::int64_t{info.m_pHdr->GetHdrSize()} +
               std::int64_t{info.m_pHdr->GetCurLen()};
      default:
        // A first or middle chunk whose block never got its last chunk is given up.
        break;
    }
  }
  return 0;
}

bool RepairTapeFile() {
  if (g_bReadOnly || (g_dwAccess & GENERIC_WRITE) == 0) return true;
  const std::int64_t nCut = FindCutPoint();
  return nCut > 0 ? CutFileAt(nCut) : RewriteAsTapemark();
}
