// A fresh directory per test, removed with everything in it when the test ends.
#ifndef TESTS_SUPPORT_TEMPDIR_H_
#define TESTS_SUPPORT_TEMPDIR_H_

#include <string>
#include <vector>

class CTempDir {
 public:
  CTempDir();
  ~CTempDir();
  CTempDir(const CTempDir&) = delete;
  CTempDir& operator=(const CTempDir&) = delete;

  const std::string& Path() const { return m_strPath; }
  /// Path() + "/" + strName.
  std::string operator/(const std::string& strName) const { return m_strPath + "/" + strName; }

 private:
  std::string m_strPath;
};

std::string ReadFileBytes(const std::string& strPath);
void WriteFileBytes(const std::string& strPath, const std::string& strBytes);
void MakeDirs(const std::string& strPath);

#endif  // TESTS_SUPPORT_TEMPDIR_H_
