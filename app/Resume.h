// What /d tells about a damaged tape: where the damage lies, what a fix keeps, and whether the
// tape goes on after it, so that a user can decide before anything is cut.
#ifndef APP_RESUME_H_
#define APP_RESUME_H_

#include <cstdint>
#include <vector>

class CChunkHdr;

/// A damage the tape got past: the chunk at m_nChunk is m_nShift bytes longer than its header
/// says (shorter when negative), so the header after it stands at m_nResume.
struct CResumption {
  std::int64_t m_nChunk = 0;
  std::int64_t m_nResume = 0;
  int m_nShift = 0;
};

/// The facts behind the detail lines of the damaged file in hand, gathered before the repair
/// changes the file.
struct CDamageNote {
  std::int64_t m_nOffset = 0;    // the first header that is cut short, malformed or cut off
  std::uint32_t m_nFileNum = 0;  // tapemarks before it
  std::int64_t m_nKeep = 0;      // where a fix cuts; 0 when it rewrites the file as one tapemark
  // A block whose data the end of the file cuts short: its data length (0 for other damage)
  // and how many of those bytes the file holds.
  std::uint16_t m_nCutBlockLen = 0;
  std::int64_t m_nCutBlockPresent = 0;
  std::vector<CResumption> m_resumptions;  // in file order
  bool m_bReachedEnd = false;              // the tape was followed to the end of the file
  std::int64_t m_nStoppedAt = 0;           // else the bad header no resumption passes
  std::int64_t m_nLostBlocks = 0;          // blocks and tapemarks that begin at or after m_nKeep
  std::int64_t m_nLostTapemarks = 0;
};

/// Fills g_DamageNote for the bad header at nOffset, after nFileNum tapemarks, while the file
/// is open and the block list holds every header before it. pCutBlock is that header when it is
/// valid but its block runs past the end of the file, else null. Reads headers only, through
/// g_hFile, and changes neither the file nor the list; call it before the repair.
void NoteDamage(std::int64_t nOffset, std::uint32_t nFileNum, const CChunkHdr* pCutBlock);

/// Prints the detail lines of g_DamageNote on standard output, after the file's result line.
void PrintDamageNote();

#endif  // APP_RESUME_H_
