#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
// Test processes run side by side: the clock and a counter keep their directories apart.
std::string UniqueTempPath() {
  static std::atomic<unsigned> s_nCounter{0};
  static const auto s_nStart = std::chrono::steady_clock::now().time_since_epoch().count();
  return (fs::temp_directory_path() /
          ("brendix-" + std::to_string(s_nStart) + "-" + std::to_string(s_nCounter++)))
      .string();
}
}  // namespace

CTempDir::CTempDir() : m_strPath(UniqueTempPath()) {
  // Another test process may have taken the name a moment earlier: take the next one.
  while (!fs::create_directory(m_strPath)) m_strPath = UniqueTempPath();
}

std::string CTempDir::operator/(const std::string& strName) const {
  std::string strPath = m_strPath + NativeSeparator() + strName;
  for (char& ch : strPath) {
    if (ch == '/') ch = NativeSeparator();
  }
  return strPath;
}

CTempDir::~CTempDir() {
  std::error_code ec;
  // Tests take rights away; give them back so that everything can be removed.
  for (auto it = fs::recursive_directory_iterator(m_strPath, ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    if (!it->is_symlink()) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(m_strPath, ec);
}

std::string ReadFileBytes(const std::string& strPath) {
  std::ifstream in(strPath, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const std::string& strPath, const std::string& strBytes) {
  std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
  out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << strPath;
}
