// The framework string stand-in: std::string underneath, printf-style formatting on top.
#include "platform/CString.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

CString CString::Left(int nCount) const {
  if (nCount <= 0) return CString();
  return CString(m_str.substr(0, static_cast<size_t>(nCount)));
}

CString CString::Mid(int nFirst) const {
  if (nFirst < 0) nFirst = 0;
  if (static_cast<size_t>(nFirst) >= m_str.size()) return CString();
  return CString(m_str.substr(static_cast<size_t>(nFirst)));
}

int CString::Compare(const char* psz) const { return std::strcmp(m_str.c_str(), psz); }

int CString::CompareNoCase(const char* psz) const {
  const auto* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
  const auto* b = reinterpret_cast<const unsigned char*>(psz);
  for (;; ++a, ++b) {
    const int ca = std::tolower(*a);
    const int cb = std::tolower(*b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

void CString::Format(const char* pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args) {
  // Measure first, then format into a buffer of exactly that size: no length limit.
  va_list measure;
  va_copy(measure, args);
  const int nLen = std::vsnprintf(nullptr, 0, pszFormat, measure);
  va_end(measure);
  if (nLen <= 0) {
    m_str.clear();
    return;
  }
  std::vector<char> buf(static_cast<size_t>(nLen) + 1);
  std::vsnprintf(buf.data(), buf.size(), pszFormat, args);
  m_str.assign(buf.data(), static_cast<size_t>(nLen));
}
