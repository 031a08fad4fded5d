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

bool RepairTapeFile() {
  if (g_bReadOnly || (g_dwAccess & GENERIC_WRITE) == 0) return true;
  while (g_ChunkArray.GetSize() > 0) {
    const int nLast = g_ChunkArray.GetSize() - 1;
    CChunkInfo& last = g_ChunkArray.GetAt(nLast);
    switch (last.m_pHdr->GetChunkType()) {
      case CHUNK_LAST:
      case CHUNK_WHOLE:
      case CHUNK_TAPEMARK:
        return CutFileAt(last.m_nOffset + std::int64_t{last.m_pHdr->GetHdrSize()} +
                         std::int64_t{last.m_pHdr->GetCurLen()});
      default:
        // A first or middle chunk whose block never got its last chunk is given up.
        g_ChunkArray.RemoveAt(nLast);
        break;
    }
  }
  return RewriteAsTapemark();
}
