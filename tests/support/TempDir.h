// A fresh directory per test, removed with everything in it when the test ends.
#ifndef TESTS_SUPPORT_TEMPDIR_H_
#define TESTS_SUPPORT_TEMPDIR_H_

#include <filesystem>
#include <string>

/// The separator the program prints between directory and name.
inline char NativeSeparator() { return static_cast<char>(std::filesystem::path::preferred_separator); }

class CTempDir {
 public:
  CTempDir();
  ~CTempDir();
  CTempDir(const CTempDir&) = delete;
  CTempDir& operator=(const CTempDir&) = delete;

  const std::string& Path() const { return m_strPath; }
  /// Path(), the system's separator and strName, whose "/" become the system's separator.
  std::string operator/(const std::string& strName) const;

 private:
  std::string m_strPath;
};

std::string ReadFileBytes(const std::string& strPath);
void WriteFileBytes(const std::string& strPath, const std::string& strBytes);

#endif  // TESTS_SUPPORT_TEMPDIR_H_
