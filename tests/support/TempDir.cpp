#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tests/support/TestPlatform.h"

namespace fs = std::filesystem;

CTempDir::CTempDir() : m_strPath(UniqueTempPath("brendix-")) {
  if (!fs::create_directory(m_strPath)) throw std::runtime_error("cannot create " + m_strPath);
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

void MakeDirs(const std::string& strPath) { fs::create_directories(strPath); }
