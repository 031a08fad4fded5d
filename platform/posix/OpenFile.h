// One open file on POSIX: its descriptor and the file position, which lives here rather
// than in the kernel so that a seek costs no system call.
#ifndef PLATFORM_POSIX_OPENFILE_H_
#define PLATFORM_POSIX_OPENFILE_H_

#include <cstddef>
#include <cstdint>

#include "platform/Win32Api.h"

/// The Win32 code for an errno value; the one place where that translation happens.
DWORD Win32ErrorFromErrno(int nErrno);

class COpenFile {
 public:
  explicit COpenFile(int fd) : m_fd(fd) {}
  ~COpenFile();
  COpenFile(const COpenFile&) = delete;
  COpenFile& operator=(const COpenFile&) = delete;

  int Descriptor() const { return m_fd; }
  std::int64_t Position() const { return m_nPos; }
  void SetPosition(std::int64_t nPos) { m_nPos = nPos; }

  /// Reads up to nCount bytes at the position and advances it; *pnDone is short only at the
  /// end of the file. False with errno set on failure.
  bool Read(unsigned char* pDest, size_t nCount, size_t* pnDone);
  /// Writes all bytes at the position and advances it. False with errno set on failure.
  bool Write(const unsigned char* pSrc, size_t nCount, size_t* pnDone);
  /// Makes the file end at the position. False with errno set on failure.
  bool Truncate();

 private:
  int m_fd;
  std::int64_t m_nPos = 0;
};

#endif  // PLATFORM_POSIX_OPENFILE_H_
