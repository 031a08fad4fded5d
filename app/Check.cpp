// The tape file check: walk the headers from the start, record each good one, and hand the
// file to the repair at the first header that is cut short or malformed.
#include "app/Check.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <new>

#include "app/Globals.h"
#include "app/Repair.h"
#include "app/Report.h"
#include "app/Resume.h"
#include "platform/File.h"
#include "support/SetFilePointer64.h"
#include "tape/ChunkHdr.h"

namespace {
constexpr DWORD kProbeSize = 12;

HANDLE OpenWithCurrentAccess() {
  // The file opened must be the one listed: an entry listed as a file, not as a link to one, is
  // not followed should a link have taken its place since.
  const DWORD dwFlags = (g_dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
                            ? FILE_ATTRIBUTE_NORMAL
                            : FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;
  const HANDLE h = CreateFileA(g_strFilePath, g_dwAccess, 0, nullptr, OPEN_EXISTING, dwFlags, 0);
  return h == INVALID_HANDLE_VALUE ? 0 : h;
}

// Opens for writing unless /r; a file that refuses writing is still checked, read-only.
bool OpenTapeFile() {
  g_hFile = OpenWithCurrentAccess();
  if (g_hFile != 0) return true;
  g_dwLastError = GetLastError();
  if (g_bReadOnly || g_dwLastError != ERROR_ACCESS_DENIED) return false;
  g_dwAccess = GENERIC_READ;
  g_hFile = OpenWithCurrentAccess();
  return g_hFile != 0;
}

// Whether the data of the block whose valid header stands at nOffset ends within the file as
// it was when the check began.
bool BlockFitsInFile(std::int64_t nOffset, std::uint32_t nHdrSize, std::int64_t nDataLen) {
  return nOffset + std::int64_t{nHdrSize} + nDataLen <= g_nFileSize;
}

// Decides the kind from the first bytes and whether the first header is complete and valid.
// Only the nRead bytes actually read count: a file too short for its first header is no tape.
bool IsTapeStart(const unsigned char* pProbe, DWORD nRead) {
  if (nRead < 4) return false;
  if (pProbe[0] == '0' && pProbe[1] == '0' && pProbe[2] == '0' && pProbe[3] == '0') {
    g_bIsFKT = true;
  } else if (pProbe[2] == 0 && pProbe[3] == 0) {
    g_bIsFKT = false;
  } else {
    return false;
  }
  const std::unique_ptr<CChunkHdr> pHdr = MakeChunkHdr(g_bIsFKT);
  pHdr->Load(pProbe);
  if (nRead < pHdr->GetHdrSize()) return false;
  // No writer starts a tape inside a block: a first header that is a middle or last chunk
  // belongs to some other kind of file. Nor is a file whose first block does not fit in it a
  // tape worth keeping; it may well be some other file that merely begins like one.
  const ChunkType eType = pHdr->GetChunkType();
  if (eType == CHUNK_TAPEMARK) return true;
  return (eType == CHUNK_WHOLE || eType == CHUNK_FIRST) &&
         BlockFitsInFile(0, pHdr->GetHdrSize(), pHdr->GetCurLen());
}

void CountDamagedFile() {
  if (g_nExitCode < std::numeric_limits<std::int32_t>::max()) ++g_nExitCode;
}

void PrintResult(const char* pszPrefix) { LogMsg(stdout, "%s%s\n", pszPrefix, g_strFilePath.GetString()); }

// How a walk over the headers ended.
enum class EWalkEnd { kClean, kDamaged, kReadFailed, kRepairFailed };

// Walks the headers from the start, recording each complete and valid one whose block fits in
// the file, and hands the file to the repair at the first header that is not: cut short,
// malformed, or with data the end of the file cuts short. The list grows by one record per
// header, so on a huge tape it may exhaust memory: that ends the walk with std::bad_alloc.
EWalkEnd WalkTape() {
  std::int64_t nPos = SetFilePointer64(g_hFile, 0, FILE_BEGIN);
  const std::unique_ptr<CChunkHdr> pHdr = MakeChunkHdr(g_bIsFKT);
  unsigned char* const pRaw = pHdr->GetHdrPtr();  // the same for every header of the file
  const DWORD nHdrSize = pHdr->GetHdrSize();
  std::uint32_t nFileNum = 0;  // unsigned: a tape of 2^31 tapemarks wraps instead of overflowing
  CChunkInfo scratch;
  for (;;) {
    SpinChunk();
    DWORD nRead = 0;
    if (!ReadFile(g_hFile, pRaw, nHdrSize, &nRead, nullptr)) return EWalkEnd::kReadFailed;
    if (nRead == 0) return EWalkEnd::kClean;  // the end of the tape
    // The length test comes first: a short header is never classified.
    const ChunkType eType = nRead < nHdrSize ? CHUNK_INVALID : pHdr->GetChunkType();
    const bool bTapemark = eType == CHUNK_TAPEMARK;
    const std::int64_t nDataLen = bTapemark || eType == CHUNK_INVALID ? 0 : pHdr->GetCurLen();
    if (eType == CHUNK_INVALID || !BlockFitsInFile(nPos, nHdrSize, nDataLen)) {
      // The details describe the file as it stands, so they are gathered before the repair.
      if (g_bDetails && !g_bQuiet) NoteDamage(nPos, nFileNum, eType == CHUNK_INVALID ? nullptr : pHdr.get());
      const bool bRepaired = RepairTapeFile();
      CountDamagedFile();
      return bRepaired ? EWalkEnd::kDamaged : EWalkEnd::kRepairFailed;
    }
    scratch.Set(nPos, static_cast<std::int32_t>(nFileNum), pRaw, g_bIsFKT);
    g_ChunkArray.Add(scratch);
    if (bTapemark) ++nFileNum;
    nPos = SetFilePointer64(g_hFile, nDataLen, FILE_CURRENT);
  }
}
}  // namespace

void CloseTapeFile() {
  g_ChunkArray.RemoveAll();
  if (g_hFile != 0) CloseHandle(g_hFile);
  g_hFile = 0;
}

bool CheckTapeFile() {
  SpinFile();
  g_ChunkArray.RemoveAll();
  if (g_hFile != 0) CloseHandle(g_hFile);
  g_hFile = 0;

  g_dwAccess = g_bReadOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  if (!OpenTapeFile() || !GetFileSizeEx(g_hFile, &g_nFileSize)) {
    if (GetLastError() == ERROR_CANT_ACCESS_FILE) {
      // No regular file (any more): a system file, skipped without a word like those the
      // walk lists as such.
      CloseTapeFile();
      return true;
    }
    ReportIOError("opening");
    CloseTapeFile();
    return false;
  }

  unsigned char abProbe[kProbeSize] = {};
  DWORD nProbe = 0;
  if (!ReadFile(g_hFile, abProbe, kProbeSize, &nProbe, nullptr)) {
    ReportIOError("reading");
    CloseTapeFile();
    return false;
  }
  if (!IsTapeStart(abProbe, nProbe)) {
    // Closed at once: no handle, and so no hold on the file, outlives the check of a file that
    // is no tape.
    CloseTapeFile();
    if (g_bVerbose) PrintResult(".. ");
    return true;
  }

  EWalkEnd eEnd = EWalkEnd::kClean;
  try {
    eEnd = WalkTape();
  } catch (const std::bad_alloc&) {
    // The list's memory goes back first, so that the error line can be written.
    CloseTapeFile();
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    ReportIOError("reading");
    return false;
  }
  switch (eEnd) {
    case EWalkEnd::kReadFailed:
      ReportIOError("reading");
      CloseTapeFile();
      return false;
    case EWalkEnd::kRepairFailed:
      // A repair that failed half-way, or was refused, must not pass for a fixed file.
      ReportIOError("writing");
      CloseTapeFile();
      return false;
    case EWalkEnd::kDamaged:
      CloseTapeFile();
      if (!g_bQuiet) {
        PrintResult((g_dwAccess & GENERIC_WRITE) != 0 ? "!! " : "/r ");
        if (g_bDetails) PrintDamageNote();
      }
      return true;
    case EWalkEnd::kClean:
      break;
  }
  CloseTapeFile();
  if (g_bVerbose) PrintResult("OK ");
  return true;
}
