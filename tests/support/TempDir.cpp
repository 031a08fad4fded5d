#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

CTempDir::CTempDir() {
  std::string strTemplate = (fs::temp_directory_path() / "brendix-XXXXXX").string();
  if (::mkdtemp(&strTemplate[0]) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_strPath = strTemplate;
}

CTempDir::~CTempDir() {
  std::error_code ec;
  // Tests take rights away; give them back so that everything can be removed.
  for (auto it = fs::recursive_directory_iterator(m_strPath, ec); !ec && it != fs::end(it); it.increment(ec)) {
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
