// Shared pieces of the end-to-end tests: a temp dir per test and the tool run inside it.
#ifndef TESTS_SUPPORT_E2ETEST_H_
#define TESTS_SUPPORT_E2ETEST_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ExitStatus.h"
#include "support/FormatLastError.h"
#include "tests/support/RunTool.h"
#include "tests/support/TapeBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPlatform.h"

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

/// Small tapes many walk tests use: one that needs a fix (a block, then one stray byte) and a sound one.
inline const std::string kDamaged = CTapeBuilder().Whole(10).Raw("z").Bytes();
inline const std::string kSound = CTapeBuilder().Whole(10).Tapemark().Bytes();

class CE2eTest : public ::testing::Test {
 protected:
  /// Runs the program with these arguments in the test's directory.
  CToolResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), ToolPath());
    return RunTool(args, m_dir.Path());
  }
  /// Writes a file (creating directories on the way) and returns its full path.
  std::string Put(const std::string& strName, const std::string& strBytes) {
    const std::string strPath = m_dir / strName;
    MakeDirs(strPath.substr(0, strPath.rfind(NativeSeparator())));
    WriteFileBytes(strPath, strBytes);
    return strPath;
  }
  std::string Line(const char* pszPrefix, const std::string& strName) const {
    return pszPrefix + (m_dir / strName) + "\n";
  }
  CTempDir m_dir;
};

#endif  // TESTS_SUPPORT_E2ETEST_H_
