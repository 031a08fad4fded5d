// The tape file check: walk the headers from the start, record each good one, and hand the
// file to the repair at the first header that is cut short or malformed.
#include "app/Check.h"

#include <cstdint>
#include <limits>
#include <memory>

#include "app/Globals.h"
#include "app/Report.h"
#include "support/SetFilePointer64.h"
#include "tape/ChunkHdr.h"

namespace {
constexpr DWORD kProbeSize = 12;

HANDLE OpenWithCurrentAccess() {
  const HANDLE h = CreateFileA(g_strFilePath, g_dwAccess, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, 0);
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
  return nRead >= pHdr->GetHdrSize() && pHdr->IsValid();
}

void CountDamagedFile() {
  if (g_nExitCode < std::numeric_limits<std::int32_t>::max()) ++g_nExitCode;
}

void PrintResult(const char* pszPrefix) { LogMsg(stdout, "%s%s\n", pszPrefix, g_strFilePath.GetString()); }
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
  if (!OpenTapeFile()) {
    ReportIOError("opening");
    g_ChunkArray.RemoveAll();
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
    // Closed at once: no handle, and so no lock, outlives the check of a file that is no tape.
    CloseTapeFile();
    if (g_bVerbose) PrintResult(".. ");
    return true;
  }

  std::int64_t nPos = SetFilePointer64(g_hFile, 0, FILE_BEGIN);
  std::unique_ptr<CChunkHdr> pHdr = MakeChunkHdr(g_bIsFKT);
  unsigned char* const pRaw = pHdr->GetHdrPtr();  // the same for every header of the file
  const DWORD nHdrSize = pHdr->GetHdrSize();
  std::uint32_t nFileNum = 0;  // unsigned: a tape of 2^31 tapemarks wraps instead of overflowing
  bool bDamaged = false;
  CChunkInfo scratch;
  for (;;) {
    SpinChunk();
    DWORD nRead = 0;
    if (!ReadFile(g_hFile, pRaw, nHdrSize, &nRead, nullptr)) {
      ReportIOError("reading");
      CloseTapeFile();
      return false;
    }
    if (nRead == 0) break;  // the end of the tape
    if (nRead < nHdrSize || !pHdr->IsValid()) {
      const bool bRepaired = RepairTapeFile();
      CountDamagedFile();
      bDamaged = true;
      if (!bRepaired) {
        // A repair that failed half-way must not pass for a fixed file.
        ReportIOError("writing");
        CloseTapeFile();
        return false;
      }
      break;
    }
    scratch.Set(nPos, static_cast<std::int32_t>(nFileNum), pRaw, g_bIsFKT);
    g_ChunkArray.Add(scratch);
    const bool bTapemark = pHdr->IsTapemark();
    if (bTapemark) ++nFileNum;
    nPos = SetFilePointer64(g_hFile, bTapemark ? 0 : std::int64_t{pHdr->GetCurLen()}, FILE_CURRENT);
  }
  pHdr.reset();
  CloseTapeFile();

  if (bDamaged) {
    if (!g_bQuiet) PrintResult((g_dwAccess & GENERIC_WRITE) != 0 ? "!! " : "/r ");
  } else if (g_bVerbose) {
    PrintResult("OK ");
  }
  return true;
}
