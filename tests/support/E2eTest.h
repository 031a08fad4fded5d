// The end-to-end tests' fixture: a fresh directory per test, and the built program run in it.
#ifndef TESTS_SUPPORT_E2ETEST_H_
#define TESTS_SUPPORT_E2ETEST_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ExitStatus.h"
#include "tests/support/RunTool.h"
#include "tests/support/TapeText.h"
#include "tests/support/TempDir.h"

/// The exit status the program's result n shows as on this system.
inline int Status(int n) { return ToProcessExitStatus(n); }

/// The lines of a text, sorted: directory order is the system's, and tests must not rely on it.
inline std::vector<std::string> SortedLines(const std::string& strText) {
  std::vector<std::string> lines;
  std::istringstream in(strText);
  for (std::string str; std::getline(in, str);) lines.push_back(str + "\n");
  std::sort(lines.begin(), lines.end());
  return lines;
}

/// A tape that needs a fix (a block, then one stray byte), and what the fix leaves.
inline const std::string kDamaged = Tape("W10 \"z\"");
inline const std::string kRepaired = Tape("W10");

class CE2eTest : public ::testing::Test {
 protected:
  /// Runs the program in the test's directory, after strShell (see RunTool()).
  CToolResult Run(std::vector<std::string> args, const std::string& strShell = "") const {
    args.insert(args.begin(), ToolPath());
    return RunTool(args, m_dir.Path(), strShell);
  }
  /// Writes a file (making its directories) and returns its full path.
  std::string Put(const std::string& strName, const std::string& strBytes) const {
    const std::string strPath = m_dir / strName;
    MakeDirs(strPath.substr(0, strPath.rfind(NativeSeparator())));
    WriteFileBytes(strPath, strBytes);
    return strPath;
  }
  std::string Bytes(const std::string& strName) const { return ReadFileBytes(m_dir / strName); }
  std::string Line(const char* pszPrefix, const std::string& strName) const {
    return pszPrefix + (m_dir / strName) + "\n";
  }
  CTempDir m_dir;
};

#endif  // TESTS_SUPPORT_E2ETEST_H_
