// What the tests need of the system beyond the program's own layer, on POSIX and on Windows.
#ifndef TESTS_SUPPORT_TESTPLATFORM_H_
#define TESTS_SUPPORT_TESTPLATFORM_H_

#include <cstddef>
#include <string>

/// The separator the program prints between directory and name.
char NativeSeparator();
/// A path under the system's temporary directory that did not exist a moment ago.
std::string UniqueTempPath(const std::string& strPrefix);
/// Lines as a program writes them in text mode ("\r\n" on Windows), turned into "\n".
std::string WithPlainLineEnds(std::string strText);

/// Holds a file open the way another program would, without a lock (Windows: without sharing),
/// until destroyed.
class CFileHolder {
 public:
  explicit CFileHolder(const std::string& strPath, bool bWrite = false);
  ~CFileHolder();
  CFileHolder(const CFileHolder&) = delete;
  CFileHolder& operator=(const CFileHolder&) = delete;
  long long Handle() const { return m_nHandle; }

 private:
  long long m_nHandle;
};

/// Gives the file a Windows attribute: 'S' system, 'H' hidden, 'R' read-only. False where
/// there are no such attributes.
bool AddAttribute(const std::string& strPath, char chAttribute);

/// The longest path the system takes in one call.
std::size_t SystemPathLimit();
/// Writes strBytes to strDir/strRelPath ("/" between parts), making its directories on the
/// way one at a time, so that the whole path may be longer than SystemPathLimit().
void PutDeep(const std::string& strDir, const std::string& strRelPath, const std::string& strBytes);
/// Removes what PutDeep made.
void RemoveDeep(const std::string& strDir, const std::string& strRelPath);

#endif  // TESTS_SUPPORT_TESTPLATFORM_H_
