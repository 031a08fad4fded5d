// Name matching and path shaping for the POSIX directory search.
#ifndef PLATFORM_POSIX_PATHRULES_H_
#define PLATFORM_POSIX_PATHRULES_H_

#include <string>

/// "*" matches any run of characters (also empty, also a leading dot), "?" exactly one;
/// every other character matches itself, case-sensitively.
bool MatchesWildcard(const char* pszPattern, const char* pszName);

/// The path made absolute against strCwd and rid of "." and ".." parts and doubled "/";
/// links are not resolved. The root is "/", nothing else ends in "/".
std::string NormalizeAbsolute(const std::string& strPath, const std::string& strCwd);

#endif  // PLATFORM_POSIX_PATHRULES_H_
