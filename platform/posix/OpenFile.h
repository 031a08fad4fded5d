// One open file on POSIX: its descriptor, the file position, which lives here rather than in
// the kernel so that a seek costs no system call, and a read-ahead window that serves small
// reads (block headers) without a system call each.
#ifndef PLATFORM_POSIX_OPENFILE_H_
#define PLATFORM_POSIX_OPENFILE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Win32Api.h"

/// The Win32 code for an errno value; the one place where that translation happens.
DWORD Win32ErrorFromErrno(int nErrno);

class COpenFile {
 public:
  /// nSizeHint is the file's size at open; it only sizes the first read-ahead.
  COpenFile(int fd, std::int64_t nSizeHint) : m_fd(fd), m_nSizeHint(nSizeHint) {}
  ~COpenFile();
  COpenFile(const COpenFile&) = delete;
  COpenFile& operator=(const COpenFile&) = delete;

  int Descriptor() const { return m_fd; }
  std::int64_t Position() const { return m_nPos; }
  void SetPosition(std::int64_t nPos) { m_nPos = nPos; }

  /// Reads up to nCount bytes at the position and advances it; *pnDone is short only at the
  /// end of the file. Served from the read-ahead window when it holds the bytes.
  /// False with errno set on failure.
  bool Read(unsigned char* pDest, size_t nCount, size_t* pnDone);
  /// Writes all bytes at the position and advances it; drops the window.
  /// False with errno set on failure.
  bool Write(const unsigned char* pSrc, size_t nCount, size_t* pnDone);
  /// Makes the file end at the position; drops the window. False with errno set on failure.
  bool Truncate();

 private:
  // Reads up to nWant bytes at nOffset, going on after short reads until at least nNeed have
  // come or the end of the file shows (*pbAtEnd).
  bool ReadAt(std::int64_t nOffset, unsigned char* pDest, size_t nNeed, size_t nWant, size_t* pnDone,
              bool* pbAtEnd) const;
  void DropWindow() {
    m_nWinLen = 0;
    m_bWinAtEnd = false;
  }
  bool Refill(size_t nCount);

  int m_fd;
  std::int64_t m_nSizeHint;
  std::int64_t m_nPos = 0;
  // The window holds the file's bytes [m_nWinStart, m_nWinStart + m_nWinLen).
  std::vector<unsigned char> m_window;
  std::int64_t m_nWinStart = 0;
  size_t m_nWinLen = 0;
  bool m_bWinAtEnd = false;  // the window's refill met the end of the file
  size_t m_nReadAhead = 0;   // how much the last refill asked for
};

#endif  // PLATFORM_POSIX_OPENFILE_H_
