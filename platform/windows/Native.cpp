// The Win32 API under the layer: the one file that includes <windows.h>. Results pass the
// system's own error codes up unchanged.
#include "platform/Native.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/windows/NativeFind.h"

namespace {
HANDLE H(NativeFile file) { return reinterpret_cast<HANDLE>(file); }

OVERLAPPED At(std::int64_t nOffset) {
  OVERLAPPED ov{};
  ov.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(nOffset) & 0xFFFFFFFFu);
  ov.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(nOffset) >> 32);
  return ov;
}

// One call moves at most this much; callers loop over short transfers.
DWORD Chunk(std::size_t nCount) { return static_cast<DWORD>(std::min<std::size_t>(nCount, 1u << 30)); }

// The program's narrow strings are in the ANSI code page, as the A functions take them.
std::wstring Widen(const std::string& str) {
  if (str.empty()) return std::wstring();
  const int nLen = ::MultiByteToWideChar(CP_ACP, 0, str.data(), static_cast<int>(str.size()), nullptr, 0);
  std::wstring wstr(static_cast<std::size_t>(nLen), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, str.data(), static_cast<int>(str.size()), &wstr[0], nLen);
  return wstr;
}

std::string Narrow(const wchar_t* pwsz) {
  const int nLen = ::WideCharToMultiByte(CP_ACP, 0, pwsz, -1, nullptr, 0, nullptr, nullptr);
  if (nLen <= 1) return std::string();
  std::string str(static_cast<std::size_t>(nLen), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, pwsz, -1, &str[0], nLen, nullptr, nullptr);
  str.resize(static_cast<std::size_t>(nLen - 1));
  return str;
}

// Paths past MAX_PATH reach the system only in the "\\?\" form, which takes a full path with
// backslashes and no "." or ".." parts (the walk builds them that way) through the W functions.
std::wstring SystemPath(const std::string& strPath) {
  std::wstring wstr = Widen(strPath);
  if (wstr.size() < MAX_PATH || wstr.rfind(L"\\\\?\\", 0) == 0) return wstr;
  for (auto& ch : wstr) {
    if (ch == L'/') ch = L'\\';
  }
  if (wstr.size() > 2 && wstr[1] == L':') return L"\\\\?\\" + wstr;
  if (wstr.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + wstr.substr(2);
  return wstr;
}

std::uint32_t ToWalkAttributes(DWORD dwAttributes) {
  // A junction or a link to a directory is never entered: a loop would make the walk endless.
  if ((dwAttributes & FILE_ATTRIBUTE_DIRECTORY) && (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return (dwAttributes & ~FILE_ATTRIBUTE_DIRECTORY) | FILE_ATTRIBUTE_SYSTEM;
  }
  return dwAttributes;
}
}  // namespace

bool NativeStartUp() { return true; }

// A file swapped for a link after the listing is the system's concern here: links are followed.
std::uint32_t NativeOpen(const char* pszPath, bool bWrite, bool bExclusive, bool /*bNoFollow*/,
                         NativeFile* pFile, std::int64_t* pnSize) {
  const DWORD dwAccess = GENERIC_READ | (bWrite ? GENERIC_WRITE : 0);
  const DWORD dwShare = bExclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
  const HANDLE h = ::CreateFileW(SystemPath(pszPath).c_str(), dwAccess, dwShare, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return ::GetLastError();
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(h, &size)) {
    const DWORD dwError = ::GetLastError();
    ::CloseHandle(h);
    return dwError;
  }
  *pFile = reinterpret_cast<NativeFile>(h);
  *pnSize = size.QuadPart;
  return ERROR_SUCCESS;
}

std::uint32_t NativeReadAt(NativeFile file, std::int64_t nOffset, void* pDest, std::size_t nCount,
                           std::size_t* pnDone) {
  OVERLAPPED ov = At(nOffset);
  DWORD nRead = 0;
  *pnDone = 0;
  if (!::ReadFile(H(file), pDest, Chunk(nCount), &nRead, &ov)) {
    const DWORD dwError = ::GetLastError();
    return dwError == ERROR_HANDLE_EOF ? ERROR_SUCCESS : dwError;  // at an offset past the end
  }
  *pnDone = nRead;
  return ERROR_SUCCESS;
}

std::uint32_t NativeWriteAt(NativeFile file, std::int64_t nOffset, const void* pSrc, std::size_t nCount,
                            std::size_t* pnDone) {
  OVERLAPPED ov = At(nOffset);
  DWORD nWritten = 0;
  *pnDone = 0;
  if (!::WriteFile(H(file), pSrc, Chunk(nCount), &nWritten, &ov)) return ::GetLastError();
  *pnDone = nWritten;
  return ERROR_SUCCESS;
}

std::uint32_t NativeTruncate(NativeFile file, std::int64_t nSize) {
  LARGE_INTEGER pos{};
  pos.QuadPart = nSize;
  if (!::SetFilePointerEx(H(file), pos, nullptr, FILE_BEGIN) || !::SetEndOfFile(H(file)))
    return ::GetLastError();
  return ERROR_SUCCESS;
}

std::uint32_t NativeFileSize(NativeFile file, std::int64_t* pnSize) {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(H(file), &size)) return ::GetLastError();
  *pnSize = size.QuadPart;
  return ERROR_SUCCESS;
}

void NativeClose(NativeFile file) { ::CloseHandle(H(file)); }

bool NativeErrorText(std::uint32_t dwCode, std::string* pstrText) {
  char szText[512];
  const DWORD nLen =
      ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwCode,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), szText, sizeof szText, nullptr);
  if (nLen == 0) return false;
  std::string strText(szText, nLen);
  while (!strText.empty() && (strText.back() == '\n' || strText.back() == '\r' || strText.back() == ' ')) {
    strText.pop_back();
  }
  if (strText.empty()) return false;
  *pstrText = strText;
  return true;
}

void NativeDebugOutput(const char* pszText) { ::OutputDebugStringA(pszText); }

std::intptr_t NativeFindFirst(const char* pszPattern, CNativeFindEntry* pEntry) {
  WIN32_FIND_DATAW data{};
  const HANDLE hFind = ::FindFirstFileW(SystemPath(pszPattern).c_str(), &data);
  if (hFind == INVALID_HANDLE_VALUE) return -1;
  pEntry->strName = Narrow(data.cFileName);
  pEntry->dwAttributes = ToWalkAttributes(data.dwFileAttributes);
  return reinterpret_cast<std::intptr_t>(hFind);
}

bool NativeFindNext(std::intptr_t hFind, CNativeFindEntry* pEntry) {
  WIN32_FIND_DATAW data{};
  if (!::FindNextFileW(reinterpret_cast<HANDLE>(hFind), &data)) return false;
  pEntry->strName = Narrow(data.cFileName);
  pEntry->dwAttributes = ToWalkAttributes(data.dwFileAttributes);
  return true;
}

void NativeFindClose(std::intptr_t hFind) { ::FindClose(reinterpret_cast<HANDLE>(hFind)); }

std::string NativeFullPath(const std::string& strPath) {
  const std::wstring wstrPath = Widen(strPath);
  const DWORD nNeed = ::GetFullPathNameW(wstrPath.c_str(), 0, nullptr, nullptr);
  if (nNeed == 0) return strPath;
  std::wstring wstrFull(nNeed, L'\0');
  const DWORD nLen = ::GetFullPathNameW(wstrPath.c_str(), nNeed, &wstrFull[0], nullptr);
  if (nLen == 0 || nLen >= nNeed) return strPath;
  wstrFull.resize(nLen);
  return Narrow(wstrFull.c_str());
}
