// The directory search the file walk uses, shaped like the framework's CFileFind.
#ifndef PLATFORM_FIND_H_
#define PLATFORM_FIND_H_

#include <memory>

#include "platform/CString.h"
#include "platform/Win32Api.h"

/// Separator between a subdirectory's path and the name pattern searched inside it.
extern const char kPathSeparator;

/// The last component of a pattern: what follows its last path separator, or all of it.
CString GetPatternName(const char* pszPattern);

/// Searches one directory for entries whose names match the pattern's last component.
/// Attributes as the walk needs them: FILE_ATTRIBUTE_DIRECTORY for a real directory;
/// FILE_ATTRIBUTE_SYSTEM for anything that is neither a regular file nor a real directory
/// (FIFOs, sockets, devices, dangling links, links to directories), which the walk skips.
class CFileFind {
 public:
  CFileFind();
  ~CFileFind();
  CFileFind(const CFileFind&) = delete;
  CFileFind& operator=(const CFileFind&) = delete;

  /// Starts the search; non-zero when at least one entry matches. nUnused must be 0.
  BOOL FindFile(const char* pszPattern, DWORD nUnused);
  /// Makes the next match current; non-zero when another one follows it.
  BOOL FindNextFileA();
  /// The current entry is "." or "..".
  BOOL IsDots() const;
  /// The searched directory made absolute and lexically normalised, a separator, the name.
  CString GetFilePath() const;
  /// Non-zero when the current entry has any of the attribute bits.
  BOOL MatchesMask(DWORD dwMask) const;
  /// Ends the search; destruction does the same.
  void Close();

 private:
  struct CImpl;
  std::unique_ptr<CImpl> m_pImpl;
};

#endif  // PLATFORM_FIND_H_
