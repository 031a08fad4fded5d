// Name matching and path shaping for the POSIX directory search.
#ifndef PLATFORM_POSIX_PATHRULES_H_
#define PLATFORM_POSIX_PATHRULES_H_

#include <functional>
#include <string>

/// "*" matches any run of characters (also empty, also a leading dot), "?" exactly one: one
/// character of UTF-8 where the name is valid UTF-8, else one byte. Every other character
/// matches itself, case-sensitively.
bool MatchesWildcard(const char* pszPattern, const char* pszName);

/// For a path, the path a symbolic link there leads to (absolute), or "" when it is no link.
using LinkResolver = std::function<std::string(const std::string&)>;

/// The path made absolute against strCwd and rid of "." parts and doubled "/". A ".." drops
/// the part before it, unless resolveLink finds that the path up to there is a symbolic link:
/// then the ".." applies to where the link leads. Without resolveLink all is lexical. The root
/// is "/", nothing else ends in "/".
std::string NormalizeAbsolute(const std::string& strPath, const std::string& strCwd,
                              const LinkResolver& resolveLink = {});

#endif  // PLATFORM_POSIX_PATHRULES_H_
