// Positioned reads and writes through a read-ahead window, retried over short transfers.
#include "platform/ReadAheadFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/Win32Api.h"

namespace {
// A walk whose reads lie at most kDenseStride apart (small blocks) reads kMaxReadAhead at a
// time and finds many headers in each read; one that jumps farther (large blocks) reads only
// kMinReadAhead per header, so that block data is never read in bulk.
constexpr size_t kMinReadAhead = 16;
constexpr size_t kMaxReadAhead = size_t{64} * 1024;
constexpr std::int64_t kDenseStride = 4096;
}  // namespace

std::uint32_t CReadAheadFile::ReadAt(std::int64_t nOffset, unsigned char* pDest, size_t nNeed, size_t nWant,
                                     size_t* pnDone, bool* pbAtEnd) const {
  size_t nDone = 0;
  *pbAtEnd = false;
  // Offsets beyond the largest file offset hold nothing; never let the sum overflow.
  if (nOffset > std::numeric_limits<std::int64_t>::max() - static_cast<std::int64_t>(nWant))
    nWant = nNeed = 0;
  while (nDone < nNeed || (nDone == 0 && nWant > 0)) {
    size_t n = 0;
    const std::uint32_t dwError = SystemCalls().ReadAt(m_file, nOffset + static_cast<std::int64_t>(nDone),
                                                       pDest + nDone, nWant - nDone, &n);
    if (dwError != 0) {
      *pnDone = nDone;
      return dwError;
    }
    if (n == 0) {
      *pbAtEnd = true;
      break;
    }
    nDone += n;
  }
  *pnDone = nDone;
  return 0;
}

// Chooses how much to read ahead of the position and reads it into the window.
std::uint32_t CReadAheadFile::Refill(size_t nCount, std::int64_t nStride) {
  const std::int64_t nLeft = m_nSizeHint - m_nPos;  // by the size seen at open
  if (m_nReadAhead == 0 && nLeft >= 0 && nLeft < static_cast<std::int64_t>(kMaxReadAhead)) {
    // A small file is read whole, with one byte more so that the read also shows its end.
    m_nReadAhead = static_cast<size_t>(nLeft) + 1;
  } else {
    m_nReadAhead = nStride >= 0 && nStride <= kDenseStride ? kMaxReadAhead : kMinReadAhead;
  }
  m_nReadAhead = std::max(m_nReadAhead, nCount);
  if (m_window.size() < m_nReadAhead) m_window.resize(m_nReadAhead);
  DropWindow();
  size_t nGot = 0;
  bool bAtEnd = false;
  const std::uint32_t dwError = ReadAt(m_nPos, m_window.data(), nCount, m_nReadAhead, &nGot, &bAtEnd);
  if (dwError != 0) return dwError;
  m_nWinStart = m_nPos;
  m_nWinLen = nGot;
  // A short read that stops where the file ended at open is the end as well; it spares the
  // extra read that would only confirm it.
  m_bWinAtEnd =
      bAtEnd || (nGot < m_nReadAhead && m_nWinStart + static_cast<std::int64_t>(nGot) == m_nSizeHint);
  return 0;
}

std::uint32_t CReadAheadFile::Read(unsigned char* pDest, size_t nCount, size_t* pnDone) {
  *pnDone = 0;
  const std::int64_t nStride = m_nPos - m_nLastRead;  // how far the reader moved since its last read
  m_nLastRead = m_nPos;
  const std::int64_t nAhead = m_nPos - m_nWinStart;  // bytes of the window before the position
  const bool bInWindow = nAhead >= 0 && nAhead <= static_cast<std::int64_t>(m_nWinLen) &&
                         nCount <= m_nWinLen - static_cast<size_t>(nAhead);
  if (!bInWindow) {
    // At or past the end the last refill met: nothing to read, and no system call to learn it.
    if (m_bWinAtEnd && nAhead >= static_cast<std::int64_t>(m_nWinLen)) return 0;
    if (nCount > kMaxReadAhead) {  // large reads go straight to the caller
      DropWindow();
      bool bAtEnd = false;
      const std::uint32_t dwError = ReadAt(m_nPos, pDest, nCount, nCount, pnDone, &bAtEnd);
      m_nPos += static_cast<std::int64_t>(*pnDone);
      return dwError;
    }
    const std::uint32_t dwError = Refill(nCount, nStride);
    if (dwError != 0) return dwError;
  }
  const size_t nOffset = static_cast<size_t>(m_nPos - m_nWinStart);
  const size_t nDone = std::min(nCount, m_nWinLen - nOffset);
  if (nDone > 0) std::memcpy(pDest, m_window.data() + nOffset, nDone);
  m_nPos += static_cast<std::int64_t>(nDone);
  *pnDone = nDone;
  return 0;
}

std::uint32_t CReadAheadFile::Write(const unsigned char* pSrc, size_t nCount, size_t* pnDone) {
  DropWindow();
  size_t nDone = 0;
  std::uint32_t dwError = 0;
  while (nDone < nCount && dwError == 0) {
    size_t n = 0;
    dwError = SystemCalls().WriteAt(m_file, m_nPos + static_cast<std::int64_t>(nDone), pSrc + nDone,
                                    nCount - nDone, &n);
    if (dwError == 0 && n == 0) dwError = ERROR_IO_DEVICE;  // no progress and no error: do not spin
    nDone += n;
  }
  m_nPos += static_cast<std::int64_t>(nDone);
  m_nSizeHint = std::max(m_nSizeHint, m_nPos);  // the end-of-file shortcut relies on it
  *pnDone = nDone;
  return dwError;
}

std::uint32_t CReadAheadFile::Truncate() {
  DropWindow();
  const std::uint32_t dwError = SystemCalls().Truncate(m_file, m_nPos);
  if (dwError == 0) m_nSizeHint = m_nPos;
  return dwError;
}
