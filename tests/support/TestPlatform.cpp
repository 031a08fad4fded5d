// The tests' own system calls: the only test file with OS conditionals.
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

std::string UniqueTempPath(const std::string& strPrefix) {
  // Test processes run side by side: the process id and the clock keep their names apart even
  // where random_device is not random.
  static std::atomic<unsigned> s_nCounter{0};
  static const auto s_nSeed = std::random_device{}() ^
                              static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
  const auto path = std::filesystem::temp_directory_path() /
                    (strPrefix + std::to_string(CurrentProcessId()) + "-" + std::to_string(s_nSeed) + "-" +
                     std::to_string(s_nCounter++));
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
unsigned long CurrentProcessId() { return ::GetCurrentProcessId(); }

CFileHolder::CFileHolder(const std::string& strPath) {
  const HANDLE h = ::CreateFileA(strPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE) << strPath;
  m_nHandle = reinterpret_cast<long long>(h);
}

CFileHolder::~CFileHolder() { ::CloseHandle(reinterpret_cast<HANDLE>(m_nHandle)); }

static bool AddAttribute(const std::string& strPath, DWORD dwBit) {
  const DWORD dwOld = ::GetFileAttributesA(strPath.c_str());
  return dwOld != INVALID_FILE_ATTRIBUTES && ::SetFileAttributesA(strPath.c_str(), dwOld | dwBit);
}
bool SetSystemAttribute(const std::string& strPath) { return AddAttribute(strPath, FILE_ATTRIBUTE_SYSTEM); }
bool SetHiddenAttribute(const std::string& strPath) { return AddAttribute(strPath, FILE_ATTRIBUTE_HIDDEN); }
#else
char NativeSeparator() { return '/'; }
unsigned long CurrentProcessId() { return static_cast<unsigned long>(::getpid()); }

CFileHolder::CFileHolder(const std::string& strPath) : m_nHandle(::open(strPath.c_str(), O_RDONLY)) {
  EXPECT_EQ(::flock(static_cast<int>(m_nHandle), LOCK_EX), 0) << strPath;
}

CFileHolder::~CFileHolder() { ::close(static_cast<int>(m_nHandle)); }

bool SetSystemAttribute(const std::string& /*strPath*/) { return false; }
bool SetHiddenAttribute(const std::string& /*strPath*/) { return false; }
#endif
