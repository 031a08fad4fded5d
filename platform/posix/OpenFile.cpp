// Positioned reads and writes on a descriptor, retried over short transfers and EINTR.
#include "platform/posix/OpenFile.h"

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>

COpenFile::~COpenFile() { ::close(m_fd); }

bool COpenFile::Read(unsigned char* pDest, size_t nCount, size_t* pnDone) {
  size_t nDone = 0;
  while (nDone < nCount) {
    const ssize_t n = ::pread(m_fd, pDest + nDone, nCount - nDone, static_cast<off_t>(m_nPos + nDone));
    if (n < 0) {
      if (errno == EINTR) continue;
      *pnDone = nDone;
      return false;
    }
    if (n == 0) break;  // end of file
    nDone += static_cast<size_t>(n);
  }
  m_nPos += static_cast<std::int64_t>(nDone);
  *pnDone = nDone;
  return true;
}

bool COpenFile::Write(const unsigned char* pSrc, size_t nCount, size_t* pnDone) {
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
  while (::ftruncate(m_fd, static_cast<off_t>(m_nPos)) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}
