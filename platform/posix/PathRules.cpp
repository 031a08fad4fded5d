#include "platform/posix/PathRules.h"

#include <vector>

bool MatchesWildcard(const char* pszPattern, const char* pszName) {
  // Greedy match with one backtrack point, the last "*": linear in practice, never exponential.
  const char* pStar = nullptr;
  const char* pResume = nullptr;
  while (*pszName != '\0') {
    if (*pszPattern == '*') {
      pStar = pszPattern++;
      pResume = pszName;
    } else if (*pszPattern == '?' || *pszPattern == *pszName) {
      ++pszPattern;
      ++pszName;
    } else if (pStar != nullptr) {
      pszPattern = pStar + 1;
      pszName = ++pResume;
    } else {
      return false;
    }
  }
  while (*pszPattern == '*') ++pszPattern;
  return *pszPattern == '\0';
}

std::string NormalizeAbsolute(const std::string& strPath, const std::string& strCwd) {
  const std::string strFull = !strPath.empty() && strPath[0] == '/' ? strPath : strCwd + "/" + strPath;
  std::vector<std::string> parts;
  size_t nStart = 0;
  while (nStart <= strFull.size()) {
    size_t nEnd = strFull.find('/', nStart);
    if (nEnd == std::string::npos) nEnd = strFull.size();
    const std::string strPart = strFull.substr(nStart, nEnd - nStart);
    if (strPart == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!strPart.empty() && strPart != ".") {
      parts.push_back(strPart);
    }
    nStart = nEnd + 1;
  }
  if (parts.empty()) return "/";
  std::string strResult;
  for (const auto& strPart : parts) strResult += "/" + strPart;
  return strResult;
}
