// The directory search on Windows: FindFirstFileA with the system's own wildcard rules, and a
// one-entry look-ahead so that FindNextFileA can say whether another match follows.
#include "platform/Find.h"

#include <string>

#include "platform/windows/NativeFind.h"

const char kPathSeparator = '\\';

namespace {
std::size_t NamePartStart(const std::string& strPattern) {
  const auto nSep = strPattern.find_last_of("\\/:");
  return nSep == std::string::npos ? 0 : nSep + 1;
}
}  // namespace

CString GetPatternName(const char* pszPattern) {
  const std::string strPattern = pszPattern;
  return CString(strPattern.substr(NamePartStart(strPattern)));
}

struct CFileFind::CImpl {
  std::intptr_t hFind = -1;
  std::string strDir;  // absolute
  CNativeFindEntry current;
  CNativeFindEntry next;
  bool bHasNext = false;

  ~CImpl() { CloseSearch(); }
  void CloseSearch() {
    if (hFind != -1) NativeFindClose(hFind);
    hFind = -1;
  }
};

CFileFind::CFileFind() : m_pImpl(std::make_unique<CImpl>()) {}
CFileFind::~CFileFind() = default;

BOOL CFileFind::FindFile(const char* pszPattern, DWORD /*nUnused*/) {
  Close();
  const std::string strPattern = pszPattern != nullptr ? pszPattern : "";
  const std::size_t nName = NamePartStart(strPattern);
  if (nName == strPattern.size()) return FALSE;
  std::string strDir = NativeFullPath(nName == 0 ? "." : strPattern.substr(0, nName));
  if (strDir.size() > 3 && (strDir.back() == '\\' || strDir.back() == '/')) strDir.pop_back();
  m_pImpl->strDir = strDir;
  m_pImpl->hFind = NativeFindFirst(strPattern.c_str(), &m_pImpl->next);
  m_pImpl->bHasNext = m_pImpl->hFind != -1;
  return m_pImpl->bHasNext ? TRUE : FALSE;
}

BOOL CFileFind::FindNextFileA() {
  if (!m_pImpl->bHasNext) return FALSE;
  m_pImpl->current = m_pImpl->next;
  m_pImpl->bHasNext = NativeFindNext(m_pImpl->hFind, &m_pImpl->next);
  if (!m_pImpl->bHasNext) m_pImpl->CloseSearch();
  return m_pImpl->bHasNext ? TRUE : FALSE;
}

BOOL CFileFind::IsDots() const {
  const std::string& strName = m_pImpl->current.strName;
  return strName == "." || strName == "..";
}

CString CFileFind::GetFilePath() const {
  const std::string& strDir = m_pImpl->strDir;
  const bool bRoot = !strDir.empty() && strDir.back() == '\\';
  return CString(strDir + (bRoot ? "" : "\\") + m_pImpl->current.strName);
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const {
  return (m_pImpl->current.dwAttributes & dwMask) != 0 ? TRUE : FALSE;
}

void CFileFind::Close() {
  m_pImpl->CloseSearch();
  m_pImpl->bHasNext = false;
  m_pImpl->current = CNativeFindEntry{};
}
