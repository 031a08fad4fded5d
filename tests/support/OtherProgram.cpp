#include "tests/support/OtherProgram.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>

std::shared_ptr<void> HoldFile(const std::string& strPath, const std::string& strHow) {
  const HANDLE h = ::CreateFileA(strPath.c_str(), GENERIC_READ | (strHow.empty() ? 0 : GENERIC_WRITE), 0,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? nullptr : std::shared_ptr<void>(h, ::CloseHandle);
}

bool AddAttribute(const std::string& strPath, char chAttribute) {
  const DWORD dwBit = chAttribute == 'S'   ? FILE_ATTRIBUTE_SYSTEM
                      : chAttribute == 'H' ? FILE_ATTRIBUTE_HIDDEN
                                           : FILE_ATTRIBUTE_READONLY;
  if (!::SetFileAttributesA(strPath.c_str(), ::GetFileAttributesA(strPath.c_str()) | dwBit)) return false;
  // Wine run as root lets a read-only file be opened for writing.
  std::FILE* pFile = dwBit == FILE_ATTRIBUTE_READONLY ? std::fopen(strPath.c_str(), "r+b") : nullptr;
  if (pFile != nullptr) std::fclose(pFile);
  return pFile == nullptr;
}
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

std::shared_ptr<void> HoldFile(const std::string& strPath, const std::string& strHow) {
  const bool bWrite = strHow == "write" || strHow == "lockf";  // a record lock needs a writer
  if (!(bWrite || strHow.empty() || strHow == "flock")) return nullptr;
  const int fd = ::open(strPath.c_str(), bWrite ? O_RDWR : O_RDONLY);
  if (fd < 0) return nullptr;
  const std::shared_ptr<void> held(::fdopen(fd, bWrite ? "r+" : "r"), std::fclose);
  const bool bLocked = strHow == "lockf"   ? ::lockf(fd, F_LOCK, 0) == 0
                       : strHow == "flock" ? ::flock(fd, LOCK_SH) == 0
                                           : true;
  return bLocked ? held : nullptr;
}

bool AddAttribute(const std::string&, char) { return false; }
#endif
