// The directory search on POSIX: readdir with our own wildcard rules and a one-entry look-ahead,
// so that FindNextFileA can say whether another match follows.
#include "platform/Find.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "platform/posix/OpenPath.h"
#include "platform/posix/PathRules.h"

const char kPathSeparator = '/';

CString GetPatternName(const char* pszPattern) {
  const std::string strPattern = pszPattern;
  const auto nSlash = strPattern.find_last_of('/');
  return CString(nSlash == std::string::npos ? strPattern : strPattern.substr(nSlash + 1));
}

namespace {
struct CEntry {
  std::string strName;
  DWORD dwAttributes = 0;
};

// False when the working directory has been removed: it has no path any more.
bool GetCurrentDirectory(std::string* pstrCwd) {
  std::string strBuf(256, '\0');
  while (::getcwd(&strBuf[0], strBuf.size()) == nullptr) {
    if (errno != ERANGE) return false;
    strBuf.resize(strBuf.size() * 2);
  }
  *pstrCwd = strBuf.c_str();
  return true;
}

// The path a symbolic link leads to, or "" when strPath is no link: ".." after a link leaves the
// directory the link leads to, not the one that holds the link.
std::string RealPathOfLink(const std::string& strPath) {
  struct stat st {};
  if (StatPath(strPath.c_str(), &st, false) != 0 || !S_ISLNK(st.st_mode)) return "";
  char* pszReal = ::realpath(strPath.c_str(), nullptr);
  if (pszReal == nullptr) return "";
  std::string strReal = pszReal;
  std::free(pszReal);
  return strReal;
}

DWORD AttributesOf(int dirfd, const char* pszName, unsigned char nType) {
  // Most file systems name the kind in the directory entry itself, which spares a stat per file.
  if (nType == DT_REG) return FILE_ATTRIBUTE_NORMAL;
  if (nType == DT_DIR) return FILE_ATTRIBUTE_DIRECTORY;
  struct stat st {};
  if (::fstatat(dirfd, pszName, &st, AT_SYMLINK_NOFOLLOW) != 0)
    return FILE_ATTRIBUTE_SYSTEM;  // vanished meanwhile
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  if (S_ISREG(st.st_mode)) return FILE_ATTRIBUTE_NORMAL;
  // A link counts as what it points to, and the check follows it; but a link to a directory is
  // never entered (a loop would make the walk endless): like a dangling link, it is skipped.
  if (S_ISLNK(st.st_mode) && ::fstatat(dirfd, pszName, &st, 0) == 0 && S_ISREG(st.st_mode)) {
    return FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_REPARSE_POINT;
  }
  return FILE_ATTRIBUTE_SYSTEM;  // FIFOs would hang an open; devices and sockets are no tapes
}
}  // namespace

struct CFileFind::CImpl {
  DIR* pDir = nullptr;
  std::deque<CEntry> rest;  // the entries still to come once the directory had to be closed early
  std::string strDir;       // absolute, normalised; relative only in a removed working directory
  std::string strPattern;   // the name part
  CEntry current;
  CEntry next;
  bool bHasNext = false;

  // The searches open now, outermost first: the walk holds one per level of the tree.
  static std::vector<CImpl*>& OpenSearches() {
    static std::vector<CImpl*> s_searches;
    return s_searches;
  }

  // Where descriptors run out, the outermost search still holding its directory reads the rest
  // of it into memory and closes it, so that the walk can go deeper.
  static bool ReleaseOne() {
    for (CImpl* pSearch : OpenSearches()) {
      if (pSearch->pDir == nullptr) continue;
      for (CEntry entry; pSearch->ReadEntry(&entry);) pSearch->rest.push_back(entry);
      pSearch->CloseDir();
      return true;
    }
    return false;
  }

  ~CImpl() { CloseDir(); }
  void OpenDir() {
    SetHandleReleaser(&CImpl::ReleaseOne);
    const int fd = OpenPath(strDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    pDir = ::fdopendir(fd);
    if (pDir == nullptr) {
      ::close(fd);
      return;
    }
    OpenSearches().push_back(this);
  }
  void CloseDir() {
    if (pDir == nullptr) return;
    ::closedir(pDir);
    pDir = nullptr;
    auto& searches = OpenSearches();
    searches.erase(std::remove(searches.begin(), searches.end(), this), searches.end());
  }
  std::string PathOf(const std::string& strName) const {
    return strDir == "/" ? "/" + strName : strDir + "/" + strName;
  }
  // The next matching entry straight from the directory; false at its end.
  bool ReadEntry(CEntry* pEntry) {
    while (const dirent* pEntryRead = ::readdir(pDir)) {
      if (!MatchesWildcard(strPattern.c_str(), pEntryRead->d_name)) continue;
      pEntry->strName = pEntryRead->d_name;
      pEntry->dwAttributes = AttributesOf(::dirfd(pDir), pEntryRead->d_name, pEntryRead->d_type);
      return true;
    }
    return false;
  }
  void FetchNext() {
    bHasNext = false;
    if (pDir != nullptr) {
      bHasNext = ReadEntry(&next);
      if (!bHasNext) CloseDir();
      return;
    }
    if (!rest.empty()) {
      next = rest.front();
      rest.pop_front();
      bHasNext = true;
    }
  }
};

CFileFind::CFileFind() : m_pImpl(std::make_unique<CImpl>()) {}
CFileFind::~CFileFind() = default;

BOOL CFileFind::FindFile(const char* pszPattern, DWORD /*nUnused*/) {
  Close();
  const std::string strPattern = pszPattern != nullptr ? pszPattern : "";
  const auto nSlash = strPattern.find_last_of('/');
  const std::string strDirPart = nSlash == std::string::npos ? "." : strPattern.substr(0, nSlash + 1);
  m_pImpl->strPattern = nSlash == std::string::npos ? strPattern : strPattern.substr(nSlash + 1);
  if (m_pImpl->strPattern.empty()) return FALSE;
  std::string strCwd;
  if (strDirPart[0] != '/' && !GetCurrentDirectory(&strCwd)) {
    // A working directory removed by another program is searched as itself (and holds nothing),
    // never as some other directory.
    m_pImpl->strDir = strDirPart.size() > 1 && strDirPart.back() == '/'
                          ? strDirPart.substr(0, strDirPart.size() - 1)
                          : strDirPart;
  } else {
    m_pImpl->strDir = NormalizeAbsolute(strDirPart, strCwd, RealPathOfLink);
  }
  m_pImpl->OpenDir();
  m_pImpl->FetchNext();
  return m_pImpl->bHasNext ? TRUE : FALSE;
}

BOOL CFileFind::FindNextFileA() {
  if (!m_pImpl->bHasNext) return FALSE;
  m_pImpl->current = m_pImpl->next;
  m_pImpl->FetchNext();
  return m_pImpl->bHasNext ? TRUE : FALSE;
}

BOOL CFileFind::IsDots() const {
  const std::string& strName = m_pImpl->current.strName;
  return strName == "." || strName == "..";
}

CString CFileFind::GetFilePath() const { return CString(m_pImpl->PathOf(m_pImpl->current.strName)); }

BOOL CFileFind::MatchesMask(DWORD dwMask) const {
  return (m_pImpl->current.dwAttributes & dwMask) != 0 ? TRUE : FALSE;
}

void CFileFind::Close() {
  m_pImpl->CloseDir();
  m_pImpl->rest.clear();
  m_pImpl->bHasNext = false;
  m_pImpl->current = CEntry{};
}
