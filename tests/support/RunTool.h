// Runs the built program as a separate process and collects what it printed.
#ifndef TESTS_SUPPORT_RUNTOOL_H_
#define TESTS_SUPPORT_RUNTOOL_H_

#include <string>
#include <vector>

struct CToolResult {
  int nStatus = -1;  // the process exit status: 0..255 on POSIX, 32 bits on Windows
  std::string strOut;
  std::string strErr;
};

/// Runs argv (argv[0] is the executable) through the system's shell in strCwd, with no standard
/// input. On POSIX, strShell runs in that shell first and may end in a command that runs the
/// program ("exec 2>&1;", "ulimit -n 128;", "exec setpriv ... "); the program's path is in $TOOL.
CToolResult RunTool(const std::vector<std::string>& argv, const std::string& strCwd,
                    const std::string& strShell = "");

/// The program itself, and the program with its fault switches reachable.
std::string ToolPath();
std::string SeamToolPath();

#endif  // TESTS_SUPPORT_RUNTOOL_H_
