// The tests' own system calls, on POSIX and on Windows.
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
std::vector<std::string> PathParts(const std::string& strRelPath) {
  std::vector<std::string> parts;
  for (std::size_t nStart = 0; nStart <= strRelPath.size();) {
    const std::size_t nEnd = std::min(strRelPath.find('/', nStart), strRelPath.size());
    parts.push_back(strRelPath.substr(nStart, nEnd - nStart));
    nStart = nEnd + 1;
  }
  return parts;
}

#ifdef _WIN32
unsigned long ProcessId() { return ::GetCurrentProcessId(); }

bool AddAttribute(const std::string& strPath, DWORD dwBit) {
  const DWORD dwOld = ::GetFileAttributesA(strPath.c_str());
  return dwOld != INVALID_FILE_ATTRIBUTES && ::SetFileAttributesA(strPath.c_str(), dwOld | dwBit);
}

// Past MAX_PATH only the "\\?\" form of a full path reaches the system.
std::wstring LongForm(const std::string& strDir, const std::vector<std::string>& parts, std::size_t nParts) {
  std::wstring wstr = L"\\\\?\\" + std::wstring(strDir.begin(), strDir.end());
  for (std::size_t i = 0; i < nParts; ++i) wstr += L"\\" + std::wstring(parts[i].begin(), parts[i].end());
  return wstr;
}
#else
unsigned long ProcessId() { return static_cast<unsigned long>(::getpid()); }
#endif
}  // namespace

std::string UniqueTempPath(const std::string& strPrefix) {
  // Test processes run side by side: the process id and the clock keep their names apart even
  // where random_device is not random.
  static std::atomic<unsigned> s_nCounter{0};
  static const auto s_nSeed =
      std::random_device{}() ^
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
  const auto path =
      std::filesystem::temp_directory_path() / (strPrefix + std::to_string(ProcessId()) + "-" +
                                                std::to_string(s_nSeed) + "-" + std::to_string(s_nCounter++));
  return path.string();
}

std::string WithPlainLineEnds(std::string strText) {
  for (auto nPos = strText.find("\r\n"); nPos != std::string::npos; nPos = strText.find("\r\n", nPos)) {
    strText.erase(nPos, 1);
  }
  return strText;
}

#ifdef _WIN32
char NativeSeparator() { return '\\'; }

CFileHolder::CFileHolder(const std::string& strPath, bool bWrite) {
  const HANDLE h = ::CreateFileA(strPath.c_str(), GENERIC_READ | (bWrite ? GENERIC_WRITE : 0), 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE) << strPath;
  m_nHandle = reinterpret_cast<long long>(h);
}

CFileHolder::~CFileHolder() { ::CloseHandle(reinterpret_cast<HANDLE>(m_nHandle)); }

bool SetSystemAttribute(const std::string& strPath) { return AddAttribute(strPath, FILE_ATTRIBUTE_SYSTEM); }
bool SetHiddenAttribute(const std::string& strPath) { return AddAttribute(strPath, FILE_ATTRIBUTE_HIDDEN); }

std::size_t SystemPathLimit() { return MAX_PATH; }

void PutDeep(const std::string& strDir, const std::string& strRelPath, const std::string& strBytes) {
  const auto parts = PathParts(strRelPath);
  for (std::size_t n = 1; n < parts.size(); ++n)
    ::CreateDirectoryW(LongForm(strDir, parts, n).c_str(), nullptr);
  const HANDLE h = ::CreateFileW(LongForm(strDir, parts, parts.size()).c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD nWritten = 0;
  ::WriteFile(h, strBytes.data(), static_cast<DWORD>(strBytes.size()), &nWritten, nullptr);
  ::CloseHandle(h);
}

void RemoveDeep(const std::string& strDir, const std::string& strRelPath) {
  const auto parts = PathParts(strRelPath);
  ::DeleteFileW(LongForm(strDir, parts, parts.size()).c_str());
  for (std::size_t n = parts.size() - 1; n > 0; --n) ::RemoveDirectoryW(LongForm(strDir, parts, n).c_str());
}
#else
char NativeSeparator() { return '/'; }

CFileHolder::CFileHolder(const std::string& strPath, bool bWrite)
    : m_nHandle(::open(strPath.c_str(), bWrite ? O_RDWR : O_RDONLY)) {
  EXPECT_GE(m_nHandle, 0) << strPath;
}

CFileHolder::~CFileHolder() { ::close(static_cast<int>(m_nHandle)); }

bool SetSystemAttribute(const std::string& /*strPath*/) { return false; }
bool SetHiddenAttribute(const std::string& /*strPath*/) { return false; }

std::size_t SystemPathLimit() { return PATH_MAX; }

// Each directory is made and entered relative to the one before it, never by its whole path.
void PutDeep(const std::string& strDir, const std::string& strRelPath, const std::string& strBytes) {
  const auto parts = PathParts(strRelPath);
  int dirfd = ::open(strDir.c_str(), O_RDONLY | O_DIRECTORY);
  for (std::size_t n = 0; n + 1 < parts.size() && dirfd >= 0; ++n) {
    ::mkdirat(dirfd, parts[n].c_str(), 0755);
    const int subfd = ::openat(dirfd, parts[n].c_str(), O_RDONLY | O_DIRECTORY);
    ::close(dirfd);
    dirfd = subfd;
  }
  ASSERT_GE(dirfd, 0);
  const int fd = ::openat(dirfd, parts.back().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ::close(dirfd);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(::write(fd, strBytes.data(), strBytes.size()), static_cast<ssize_t>(strBytes.size()));
  ::close(fd);
}

void RemoveDeep(const std::string& strDir, const std::string& strRelPath) {
  const auto parts = PathParts(strRelPath);
  std::vector<int> dirfds{::open(strDir.c_str(), O_RDONLY | O_DIRECTORY)};
  for (std::size_t n = 0; n + 1 < parts.size(); ++n) {
    dirfds.push_back(::openat(dirfds.back(), parts[n].c_str(), O_RDONLY | O_DIRECTORY));
  }
  ::unlinkat(dirfds.back(), parts.back().c_str(), 0);
  for (std::size_t n = parts.size() - 1; n > 0; --n) {
    ::close(dirfds[n]);
    ::unlinkat(dirfds[n - 1], parts[n - 1].c_str(), AT_REMOVEDIR);
  }
  ::close(dirfds[0]);
}
#endif
