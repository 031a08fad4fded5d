// The tests' own system calls, on POSIX and on Windows.
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>
#endif

namespace {
#ifdef _WIN32
unsigned long ProcessId() { return ::GetCurrentProcessId(); }

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

bool AddAttribute(const std::string& strPath, char chAttribute) {
  const DWORD dwBit = chAttribute == 'S'   ? FILE_ATTRIBUTE_SYSTEM
                      : chAttribute == 'H' ? FILE_ATTRIBUTE_HIDDEN
                                           : FILE_ATTRIBUTE_READONLY;
  const DWORD dwOld = ::GetFileAttributesA(strPath.c_str());
  return dwOld != INVALID_FILE_ATTRIBUTES && ::SetFileAttributesA(strPath.c_str(), dwOld | dwBit);
}

#else
char NativeSeparator() { return '/'; }

CFileHolder::CFileHolder(const std::string& strPath, bool bWrite)
    : m_nHandle(::open(strPath.c_str(), bWrite ? O_RDWR : O_RDONLY)) {
  EXPECT_GE(m_nHandle, 0) << strPath;
}

CFileHolder::~CFileHolder() { ::close(static_cast<int>(m_nHandle)); }

bool AddAttribute(const std::string& /*strPath*/, char /*chAttribute*/) { return false; }

#endif

std::size_t SystemPathLimit() {
#ifdef _WIN32
  return MAX_PATH;
#else
  return PATH_MAX;
#endif
}

// The tree is built from the bottom up and taken apart from the top down, each step a rename or
// a removal of a short path, so that no call needs the whole path.
void PutDeep(const std::string& strDir, const std::string& strRelPath, const std::string& strBytes) {
  namespace fs = std::filesystem;
  std::vector<std::string> parts;
  for (std::size_t nStart = 0, nEnd = 0; nEnd != std::string::npos; nStart = nEnd + 1) {
    nEnd = strRelPath.find('/', nStart);
    parts.push_back(strRelPath.substr(nStart, nEnd - nStart));
  }
  const fs::path dir(strDir), spare = dir / "spare";
  std::ofstream(dir / parts.back(), std::ios::binary) << strBytes;
  for (std::size_t n = parts.size() - 1; n-- > 0;) {
    fs::create_directory(spare);
    fs::rename(dir / parts[n + 1], spare / parts[n + 1]);
    fs::rename(spare, dir / parts[n]);
  }
}

void RemoveDeep(const std::string& strDir, const std::string& strRelPath) {
  namespace fs = std::filesystem;
  const fs::path dir(strDir);
  for (fs::path top = dir / strRelPath.substr(0, strRelPath.find('/')); fs::is_directory(top);) {
    const fs::path inner = *fs::directory_iterator(top);
    fs::rename(inner, dir / "spare");
    fs::remove(top);
    top = dir / inner.filename();
    fs::rename(dir / "spare", top);
  }
  fs::remove(dir / strRelPath.substr(strRelPath.rfind('/') + 1));
}
