// The directory search on POSIX: readdir with our own wildcard rules and a one-entry look-ahead,
// so that FindNextFileA can say whether another match follows.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/Find.h"
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

std::string CurrentDirectory() {
  std::string strBuf(256, '\0');
  while (::getcwd(&strBuf[0], strBuf.size()) == nullptr) {
    if (errno != ERANGE) return "/";
    strBuf.resize(strBuf.size() * 2);
  }
  strBuf.resize(std::strlen(strBuf.c_str()));
  return strBuf;
}

DWORD AttributesOf(const std::string& strPath, unsigned char nType) {
  // Most file systems name the kind in the directory entry itself, which spares a stat per file.
  if (nType == DT_REG) return FILE_ATTRIBUTE_NORMAL;
  if (nType == DT_DIR) return FILE_ATTRIBUTE_DIRECTORY;
  struct stat st {};
  if (::lstat(strPath.c_str(), &st) != 0) return FILE_ATTRIBUTE_SYSTEM;  // vanished meanwhile
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  if (S_ISREG(st.st_mode)) return FILE_ATTRIBUTE_NORMAL;
  // A link counts as what it points to, except that a link to a directory is never entered
  // (a loop would make the walk endless): like a dangling link, it is skipped.
  if (S_ISLNK(st.st_mode) && ::stat(strPath.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    return FILE_ATTRIBUTE_NORMAL;
  }
  return FILE_ATTRIBUTE_SYSTEM;  // FIFOs would hang an open; devices and sockets are no tapes
}
}  // namespace

struct CFileFind::CImpl {
  DIR* pDir = nullptr;
  std::string strDir;      // absolute, normalised
  std::string strPattern;  // the name part
  CEntry current;
  CEntry next;
  bool bHasNext = false;

  ~CImpl() { CloseDir(); }
  void CloseDir() {
    if (pDir != nullptr) ::closedir(pDir);
    pDir = nullptr;
  }
  std::string PathOf(const std::string& strName) const {
    return strDir == "/" ? "/" + strName : strDir + "/" + strName;
  }
  void FetchNext() {
    bHasNext = false;
    while (pDir != nullptr) {
      const dirent* pEntry = ::readdir(pDir);
      if (pEntry == nullptr) {
        CloseDir();
        return;
      }
      if (!MatchesWildcard(strPattern.c_str(), pEntry->d_name)) continue;
      next.strName = pEntry->d_name;
      next.dwAttributes = AttributesOf(PathOf(next.strName), pEntry->d_type);
      bHasNext = true;
      return;
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
  m_pImpl->strDir = NormalizeAbsolute(strDirPart, CurrentDirectory());
  m_pImpl->pDir = ::opendir(m_pImpl->strDir.c_str());
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
  m_pImpl->bHasNext = false;
  m_pImpl->current = CEntry{};
}
