// Runs the built program as a separate process and collects what it printed.
#ifndef TESTS_SUPPORT_RUNTOOL_H_
#define TESTS_SUPPORT_RUNTOOL_H_

#include <functional>
#include <string>
#include <vector>

struct CToolResult {
  int nStatus = -1;  // the process exit status: 0..255 on POSIX, 32 bits on Windows
  std::string strOut;
  std::string strErr;
};

/// Runs argv (argv[0] is the executable) in strCwd, with no standard input. On POSIX,
/// childSetup runs in the child just before the program starts (limits, other streams).
CToolResult RunTool(const std::vector<std::string>& argv, const std::string& strCwd,
                    const std::function<void()>& childSetup = {});

/// The program itself, and the program with its fault switches reachable.
std::string ToolPath();
std::string SeamToolPath();

#endif  // TESTS_SUPPORT_RUNTOOL_H_
