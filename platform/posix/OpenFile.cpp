// Positioned reads and writes on a descriptor, retried over short transfers and EINTR.
#include "platform/posix/OpenFile.h"

#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace {
// A walk over small blocks reads ahead up to kMaxReadAhead at a time; one that jumps over
// large blocks reads only kMinReadAhead per header, so that block data is never read in bulk.
constexpr size_t kMinReadAhead = 64;
constexpr size_t kMaxReadAhead = 64 * 1024;
}  // namespace

COpenFile::~COpenFile() { ::close(m_fd); }

bool COpenFile::ReadAt(std::int64_t nOffset, unsigned char* pDest, size_t nNeed, size_t nWant, size_t* pnDone,
                       bool* pbAtEnd) const {
  size_t nDone = 0;
  *pbAtEnd = false;
  // Offsets beyond the largest file offset hold nothing; never let the sum overflow.
  if (nOffset > std::numeric_limits<off_t>::max() - static_cast<std::int64_t>(nWant)) nWant = nNeed = 0;
  while (nDone < nNeed || (nDone == 0 && nWant > 0)) {
    const ssize_t n = ::pread(m_fd, pDest + nDone, nWant - nDone, static_cast<off_t>(nOffset + nDone));
    if (n < 0) {
      if (errno == EINTR) continue;
      *pnDone = nDone;
      return false;
    }
    if (n == 0) {
      *pbAtEnd = true;
      break;
    }
    nDone += static_cast<size_t>(n);
  }
  *pnDone = nDone;
  return true;
}

// Chooses how much to read ahead of the position and reads it into the window.
bool COpenFile::Refill(size_t nCount) {
  const std::int64_t nLeft = m_nSizeHint - m_nPos;  // by the size seen at open
  if (m_nReadAhead == 0 && nLeft >= 0 && nLeft < static_cast<std::int64_t>(kMaxReadAhead)) {
    // A small file is read whole, with one byte more so that the read also shows its end.
    m_nReadAhead = static_cast<size_t>(nLeft) + 1;
  } else {
    // Ran off the end of a window it was walking through: read more this time. Jumped far
    // past it: read little, the blocks are large.
    const bool bDense = m_nWinLen > 0 && m_nPos >= m_nWinStart &&
                        m_nPos - m_nWinStart < static_cast<std::int64_t>(m_nWinLen + m_nReadAhead);
    m_nReadAhead = bDense ? std::min(m_nReadAhead * 2, kMaxReadAhead) : kMinReadAhead;
  }
  m_nReadAhead = std::max(m_nReadAhead, nCount);
  if (m_window.size() < m_nReadAhead) m_window.resize(m_nReadAhead);
  DropWindow();
  size_t nGot = 0;
  bool bAtEnd = false;
  if (!ReadAt(m_nPos, m_window.data(), nCount, m_nReadAhead, &nGot, &bAtEnd)) return false;
  m_nWinStart = m_nPos;
  m_nWinLen = nGot;
  // A short read that stops where the file ended at open is the end as well; it spares the
  // extra read that would only confirm it.
  m_bWinAtEnd = bAtEnd || (nGot < m_nReadAhead && m_nWinStart + static_cast<std::int64_t>(nGot) == m_nSizeHint);
  return true;
}

bool COpenFile::Read(unsigned char* pDest, size_t nCount, size_t* pnDone) {
  *pnDone = 0;
  const std::int64_t nAhead = m_nPos - m_nWinStart;  // bytes of the window before the position
  const bool bInWindow = nAhead >= 0 && nAhead <= static_cast<std::int64_t>(m_nWinLen) &&
                         nCount <= m_nWinLen - static_cast<size_t>(nAhead);
  if (!bInWindow) {
    // At or past the end the last refill met: nothing to read, and no system call to learn it.
    if (m_bWinAtEnd && nAhead >= static_cast<std::int64_t>(m_nWinLen)) return true;
    if (nCount > kMaxReadAhead) {  // large reads go straight to the caller
      DropWindow();
      bool bAtEnd = false;
      if (!ReadAt(m_nPos, pDest, nCount, nCount, pnDone, &bAtEnd)) return false;
      m_nPos += static_cast<std::int64_t>(*pnDone);
      return true;
    }
    if (!Refill(nCount)) return false;
  }
  const size_t nOffset = static_cast<size_t>(m_nPos - m_nWinStart);
  const size_t nDone = std::min(nCount, m_nWinLen - nOffset);
  const unsigned char* pSrc = m_window.data() + nOffset;
  // Header sizes get copies of a fixed length, which compile to a move or two instead of a
  // library call per header.
  if (nDone == 6) {
    std::memcpy(pDest, pSrc, 6);
  } else if (nDone == 12) {
    std::memcpy(pDest, pSrc, 12);
  } else if (nDone > 0) {
    std::memcpy(pDest, pSrc, nDone);
  }
  m_nPos += static_cast<std::int64_t>(nDone);
  *pnDone = nDone;
  return true;
}

bool COpenFile::Write(const unsigned char* pSrc, size_t nCount, size_t* pnDone) {
  DropWindow();
  size_t nDone = 0;
  bool bOk = true;
  while (nDone < nCount) {
    const ssize_t n = ::pwrite(m_fd, pSrc + nDone, nCount - nDone, static_cast<off_t>(m_nPos + nDone));
    if (n < 0) {
      if (errno == EINTR) continue;
      bOk = false;
      break;
    }
    if (n == 0) {  // no progress and no error: do not spin
      errno = EIO;
      bOk = false;
      break;
    }
    nDone += static_cast<size_t>(n);
  }
  m_nPos += static_cast<std::int64_t>(nDone);
  *pnDone = nDone;
  return bOk;
}

bool COpenFile::Truncate() {
  DropWindow();
  while (::ftruncate(m_fd, static_cast<off_t>(m_nPos)) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}
