// The details of /d. A bad header in the middle of a tape is most often no damage to the tape at
// all but a chunk one or two bytes shorter or longer than its header says (a copy in text mode,
// a bad transfer): the headers go on a byte or two away, and everything after them is intact.
// A fix still cuts at the bad header, so the user is told what it would throw away.
#include "app/Resume.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/Globals.h"
#include "app/Repair.h"
#include "app/Report.h"
#include "platform/File.h"
#include "support/SetFilePointer64.h"
#include "tape/ChunkHdr.h"

namespace {
// Headers that must chain on from a candidate before the tape counts as resumed there: one
// header that looks valid can be chance, four in a row that agree on each other's lengths are not.
constexpr int kChainHeaders = 3;
// How far from the bad header the next one is looked for: one or two bytes either way.
constexpr int kShifts[] = {-2, -1, 1, 2};

long long Num(std::int64_t n) { return static_cast<long long>(n); }

std::int64_t NextOffset(std::int64_t nOffset, const CChunkHdr& hdr) {
  return nOffset + std::int64_t{hdr.GetHdrSize()} + std::int64_t{hdr.GetCurLen()};
}

bool EndsBlock(ChunkType eType) {
  return eType == CHUNK_LAST || eType == CHUNK_WHOLE || eType == CHUNK_TAPEMARK;
}

// Reads the header at nOffset into hdr: true when all of it lies within the file and it is
// valid. A read that fails counts as no header: the details only report, they never stop a check.
bool ReadValidHeader(std::int64_t nOffset, CChunkHdr& hdr) {
  const DWORD nHdrSize = hdr.GetHdrSize();
  if (nOffset < 0 || nOffset + std::int64_t{nHdrSize} > g_nFileSize) return false;
  DWORD nRead = 0;
  return SetFilePointer64(g_hFile, nOffset, FILE_BEGIN) == nOffset &&
         ReadFile(g_hFile, hdr.GetHdrPtr(), nHdrSize, &nRead, nullptr) && nRead == nHdrSize && hdr.IsValid();
}

// Whether the tape goes on at nCandidate after a chunk of nPrvLen data bytes: the header there
// names that length as its predecessor's, and the next kChainHeaders do the same each for the
// one before, unless the file ends exactly after a complete block or tapemark first.
bool ChainsFrom(std::int64_t nCandidate, std::uint16_t nPrvLen, CChunkHdr& hdr) {
  std::int64_t nPos = nCandidate;
  ChunkType eLast = CHUNK_INVALID;
  for (int i = 0; i <= kChainHeaders; ++i) {
    if (i > 0 && nPos == g_nFileSize) return EndsBlock(eLast);
    if (!ReadValidHeader(nPos, hdr) || hdr.GetPrvLen() != nPrvLen) return false;
    nPrvLen = hdr.GetCurLen();
    eLast = hdr.GetChunkType();
    nPos = NextOffset(nPos, hdr);
  }
  return true;
}

// The offset near the bad header at nBad where the tape goes on, or -1. Two places that both
// chain leave it open which one is the tape, so neither is claimed.
std::int64_t FindResumption(std::int64_t nBad, std::uint16_t nPrvLen, CChunkHdr& hdr) {
  std::int64_t nFound = -1;
  int nCount = 0;
  for (const int nShift : kShifts) {
    if (ChainsFrom(nBad + nShift, nPrvLen, hdr)) {
      nFound = nBad + nShift;
      ++nCount;
    }
  }
  return nCount == 1 ? nFound : -1;
}

// Counts what a fix loses as the user knows it: a block split into chunks once, at the chunk
// that begins it (or that follows a complete block, when the tape lost its first chunk).
class CLossCounter {
 public:
  void Add(ChunkType eType) {
    if (eType == CHUNK_TAPEMARK) {
      ++g_DamageNote.m_nLostTapemarks;
    } else if (!m_bInBlock) {
      ++g_DamageNote.m_nLostBlocks;
    }
    m_bInBlock = eType == CHUNK_FIRST || eType == CHUNK_MIDDLE;
  }

 private:
  bool m_bInBlock = false;  // the chunk counted last leaves its block open
};

// Follows the tape past the bad header at nBad, whose predecessor (at nChunk, with nPrvLen data
// bytes) is the last valid header, as the check walks it but without a repair: to the end of the
// file, or to the first bad header that no resumption passes.
void FollowTape(std::int64_t nBad, std::int64_t nChunk, std::uint16_t nPrvLen, CLossCounter& loss) {
  CDamageNote& note = g_DamageNote;
  const std::unique_ptr<CChunkHdr> pHdr = MakeChunkHdr(g_bIsFKT);
  std::int64_t nPos = nBad;
  for (;;) {
    const std::int64_t nResume = FindResumption(nPos, nPrvLen, *pHdr);
    if (nResume < 0) break;
    note.m_resumptions.push_back({nChunk, nResume, static_cast<int>(nResume - nPos)});
    for (nPos = nResume; nPos < g_nFileSize; nPos = NextOffset(nPos, *pHdr)) {
      if (!ReadValidHeader(nPos, *pHdr) || NextOffset(nPos, *pHdr) > g_nFileSize) break;
      loss.Add(pHdr->GetChunkType());
      nChunk = nPos;
      nPrvLen = pHdr->GetCurLen();
    }
    if (nPos == g_nFileSize) {
      note.m_bReachedEnd = true;
      return;
    }
    // Only a file changed under the check could fail the header just found to chain.
    if (nPos == nResume) break;
  }
  note.m_nStoppedAt = nPos;
}
}  // namespace

void NoteDamage(std::int64_t nOffset, std::uint32_t nFileNum, const CChunkHdr* pCutBlock) {
  g_DamageNote = CDamageNote{};
  CDamageNote& note = g_DamageNote;
  note.m_nOffset = nOffset;
  note.m_nFileNum = nFileNum;
  note.m_nKeep = FindCutPoint();  // the very cut the repair makes next
  note.m_nStoppedAt = nOffset;
  if (pCutBlock != nullptr) {
    // The tape ends inside this block, as a cut copy does: nothing can follow it.
    note.m_nCutBlockLen = pCutBlock->GetCurLen();
    note.m_nCutBlockPresent = g_nFileSize - nOffset - std::int64_t{pCutBlock->GetHdrSize()};
    return;
  }
  const int nRecords = g_ChunkArray.GetSize();
  if (nRecords == 0) return;  // the first header is always recorded; nothing to resume after
  // The unfinished chunks that the fix gives up are lost as well.
  CLossCounter loss;
  int nFirstLost = nRecords;
  while (nFirstLost > 0 && g_ChunkArray.GetAt(nFirstLost - 1).m_nOffset >= note.m_nKeep) --nFirstLost;
  for (int i = nFirstLost; i < nRecords; ++i) loss.Add(g_ChunkArray.GetAt(i).m_pHdr->GetChunkType());
  const CChunkInfo& last = g_ChunkArray.GetAt(nRecords - 1);
  FollowTape(nOffset, last.m_nOffset, last.m_pHdr->GetCurLen(), loss);
}

void PrintDamageNote() {
  const CDamageNote& note = g_DamageNote;
  const bool bFixed = (g_dwAccess & GENERIC_WRITE) != 0;
  const std::int64_t nSize = g_nFileSize;
  CString strFix;
  if (note.m_nKeep > 0) {
    strFix.Format(bFixed ? "kept %lld of %lld bytes" : "a fix keeps %lld of %lld bytes", Num(note.m_nKeep),
                  Num(nSize));
  } else {
    strFix.Format(bFixed ? "kept 0 of %lld bytes, wrote one tapemark"
                         : "a fix keeps 0 of %lld bytes and writes one tapemark",
                  Num(nSize));
  }
  LogMsg(stdout, "   damaged at offset %lld (tape file %lu); %s\n", Num(note.m_nOffset),
         static_cast<unsigned long>(note.m_nFileNum), strFix.GetString());
  if (note.m_nCutBlockLen > 0) {
    LogMsg(stdout,
           "   the file ends inside the block at offset %lld: %lld of its %u data bytes are present\n",
           Num(note.m_nOffset), Num(note.m_nCutBlockPresent), static_cast<unsigned>(note.m_nCutBlockLen));
    return;
  }
  for (const CResumption& r : note.m_resumptions) {
    const int nBytes = std::abs(r.m_nShift);
    LogMsg(stdout, "   resumes at offset %lld: the chunk at offset %lld is %d %s %s\n", Num(r.m_nResume),
           Num(r.m_nChunk), nBytes, nBytes == 1 ? "byte" : "bytes", r.m_nShift < 0 ? "short" : "long");
  }
  if (note.m_bReachedEnd) {
    LogMsg(stdout, "   a fix would lose %lld blocks, %lld tapemarks, %lld bytes\n", Num(note.m_nLostBlocks),
           Num(note.m_nLostTapemarks), Num(nSize - note.m_nKeep));
  } else {
    LogMsg(stdout, "   no resumption found after offset %lld\n", Num(note.m_nStoppedAt));
  }
}
