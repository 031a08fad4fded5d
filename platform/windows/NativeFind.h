// The Windows directory search under CFileFind, in standard types only.
#ifndef PLATFORM_WINDOWS_NATIVEFIND_H_
#define PLATFORM_WINDOWS_NATIVEFIND_H_

#include <cstdint>
#include <string>

struct CNativeFindEntry {
  std::string strName;
  std::uint32_t dwAttributes = 0;  // FILE_ATTRIBUTE_* bits as the walk should see them
};

/// Starts FindFirstFileA on the pattern; -1 when nothing matches or the search cannot start.
std::intptr_t NativeFindFirst(const char* pszPattern, CNativeFindEntry* pEntry);
/// The next match; false after the last one.
bool NativeFindNext(std::intptr_t hFind, CNativeFindEntry* pEntry);
void NativeFindClose(std::intptr_t hFind);
/// GetFullPathNameA: absolute, with "." and ".." resolved.
std::string NativeFullPath(const std::string& strPath);

#endif  // PLATFORM_WINDOWS_NATIVEFIND_H_
