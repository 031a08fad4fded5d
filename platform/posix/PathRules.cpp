#include "platform/posix/PathRules.h"

#include <vector>

namespace {
// Bytes of the UTF-8 character that starts with lead byte c; 0 where c cannot start one.
int Utf8Length(unsigned char c) {
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  if (c >= 0xE0 && c <= 0xEF) return 3;
  if (c >= 0xF0 && c <= 0xF4) return 4;
  return 0;
}

bool IsValidUtf8(const char* psz) {
  for (const auto* p = reinterpret_cast<const unsigned char*>(psz); *p != 0;) {
    const int n = Utf8Length(*p);
    if (n == 0) return false;
    for (int i = 1; i < n; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
    }
    p += n;
  }
  return true;
}

std::vector<std::string> SplitPath(const std::string& strPath) {
  std::vector<std::string> parts;
  size_t nStart = 0;
  while (nStart <= strPath.size()) {
    size_t nEnd = strPath.find('/', nStart);
    if (nEnd == std::string::npos) nEnd = strPath.size();
    parts.push_back(strPath.substr(nStart, nEnd - nStart));
    nStart = nEnd + 1;
  }
  return parts;
}

std::string JoinPath(const std::vector<std::string>& parts) {
  if (parts.empty()) return "/";
  std::string strResult;
  for (const auto& strPart : parts) strResult += "/" + strPart;
  return strResult;
}
}  // namespace

bool MatchesWildcard(const char* pszPattern, const char* pszName) {
  // One character of the name: a whole UTF-8 sequence in a valid UTF-8 name, else one byte.
  const bool bUtf8 = IsValidUtf8(pszName);
  auto Step = [bUtf8](const char* p) { return p + (bUtf8 ? Utf8Length(static_cast<unsigned char>(*p)) : 1); };
  // Greedy match with one backtrack point, the last "*": linear in practice, never exponential.
  const char* pStar = nullptr;
  const char* pResume = nullptr;
  while (*pszName != '\0') {
    if (*pszPattern == '*') {
      pStar = pszPattern++;
      pResume = pszName;
    } else if (*pszPattern == '?') {
      ++pszPattern;
      pszName = Step(pszName);
    } else if (*pszPattern == *pszName) {
      ++pszPattern;
      ++pszName;
    } else if (pStar != nullptr) {
      pszPattern = pStar + 1;
      pszName = pResume = Step(pResume);
    } else {
      return false;
    }
  }
  while (*pszPattern == '*') ++pszPattern;
  return *pszPattern == '\0';
}

std::string NormalizeAbsolute(const std::string& strPath, const std::string& strCwd,
                              const LinkResolver& resolveLink) {
  const std::string strFull = !strPath.empty() && strPath[0] == '/' ? strPath : strCwd + "/" + strPath;
  std::vector<std::string> parts;
  for (const auto& strPart : SplitPath(strFull)) {
    if (strPart == "..") {
      const std::string strLink = resolveLink && !parts.empty() ? resolveLink(JoinPath(parts)) : "";
      if (!strLink.empty()) {
        parts.clear();
        for (const auto& strReal : SplitPath(strLink)) {
          if (!strReal.empty()) parts.push_back(strReal);
        }
      }
      if (!parts.empty()) parts.pop_back();
    } else if (!strPart.empty() && strPart != ".") {
      parts.push_back(strPart);
    }
  }
  return JoinPath(parts);
}
