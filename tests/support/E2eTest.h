// The end-to-end tests' fixture: a fresh directory per test, and the built program run in it.
#ifndef TESTS_SUPPORT_E2ETEST_H_
#define TESTS_SUPPORT_E2ETEST_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TapeText.h"
#include "tests/support/TempDir.h"

struct CToolResult {
  int nStatus;  // the process exit status: 0..255 on POSIX, 32 bits on Windows
  std::string strOut, strErr;
};

/// Runs argv (argv[0] is the executable) through the system's shell in strCwd, with no standard
/// input. On POSIX, strShell runs in that shell first and may end in a command that runs the
/// program ("exec 2>&1;", "ulimit -n 128;", "exec setpriv ... "); the program's path is in $TOOL.
CToolResult RunTool(const std::vector<std::string>& argv, const std::string& strCwd,
                    const std::string& strShell = "");

/// The program itself, and the program with its fault switches reachable.
std::string ToolPath();
std::string SeamToolPath();

/// The lines of a text, sorted: directory order is the system's, and tests must not rely on it.
inline std::vector<std::string> SortedLines(const std::string& strText) {
  std::vector<std::string> lines;
  std::istringstream in(strText);
  for (std::string str; std::getline(in, str);) lines.push_back(str + "\n");
  std::sort(lines.begin(), lines.end());
  return lines;
}

/// A tape that needs a fix: a block, then one stray byte.
inline const std::string kDamaged = Tape("W10 \"z\"");

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
    std::filesystem::create_directories(strPath.substr(0, strPath.rfind(NativeSeparator())));
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
