// One open file: the system's file, the file position, which lives here so that a seek costs
// no system call, and a read-ahead window that serves small reads (block headers) without a
// system call each.
#ifndef PLATFORM_READAHEADFILE_H_
#define PLATFORM_READAHEADFILE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Native.h"
#include "platform/SystemCalls.h"

class CReadAheadFile {
 public:
  /// nSizeHint is the file's size at open. It sizes the first read-ahead, and a short read
  /// that stops exactly there counts as the end of the file; writes and truncation keep it.
  CReadAheadFile(NativeFile file, std::int64_t nSizeHint) : m_file(file), m_nSizeHint(nSizeHint) {}
  ~CReadAheadFile() { SystemCalls().Close(m_file); }
  CReadAheadFile(const CReadAheadFile&) = delete;
  CReadAheadFile& operator=(const CReadAheadFile&) = delete;

  NativeFile File() const { return m_file; }
  std::int64_t Position() const { return m_nPos; }
  void SetPosition(std::int64_t nPos) { m_nPos = nPos; }

  /// Reads up to nCount bytes at the position and advances it; *pnDone is short only at the
  /// end of the file. Served from the read-ahead window when it holds the bytes.
  /// Returns a Win32 error code, 0 on success.
  std::uint32_t Read(unsigned char* pDest, std::size_t nCount, std::size_t* pnDone);
  /// Writes all bytes at the position and advances it; drops the window.
  std::uint32_t Write(const unsigned char* pSrc, std::size_t nCount, std::size_t* pnDone);
  /// Makes the file end at the position; drops the window.
  std::uint32_t Truncate();

 private:
  // Reads up to nWant bytes at nOffset, going on after short reads until at least nNeed have
  // come or the end of the file shows (*pbAtEnd).
  std::uint32_t ReadAt(std::int64_t nOffset, unsigned char* pDest, std::size_t nNeed, std::size_t nWant,
                       std::size_t* pnDone, bool* pbAtEnd) const;
  // Refills the window at the position; nStride is the distance from the previous read.
  std::uint32_t Refill(std::size_t nCount, std::int64_t nStride);
  void DropWindow() {
    m_nWinLen = 0;
    m_bWinAtEnd = false;
  }

  NativeFile m_file;
  std::int64_t m_nSizeHint;
  std::int64_t m_nPos = 0;
  // The window holds the file's bytes [m_nWinStart, m_nWinStart + m_nWinLen).
  std::vector<unsigned char> m_window;
  std::int64_t m_nWinStart = 0;
  std::size_t m_nWinLen = 0;
  bool m_bWinAtEnd = false;      // the window's refill met the end of the file
  std::size_t m_nReadAhead = 0;  // how much the last refill asked for
  std::int64_t m_nLastRead = 0;  // where the previous read started
};

#endif  // PLATFORM_READAHEADFILE_H_
