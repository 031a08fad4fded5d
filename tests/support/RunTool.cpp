#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/E2eTest.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#ifndef BRENDIX_EXE
#define BRENDIX_EXE "Brendix32"
#endif
#ifndef BRENDIX_SEAMS_EXE
#define BRENDIX_SEAMS_EXE "Brendix32_seams"
#endif

namespace {
// Read in text mode: the lines a Windows program writes end in "\r\n", and the tests compare "\n".
std::string ReadOutput(const std::string& strPath) {
  std::ifstream in(strPath);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}
}  // namespace

// A cross build names the programs with POSIX paths; the shell needs full paths of this system.
std::string ToolPath() { return std::filesystem::absolute(BRENDIX_EXE).string(); }
std::string SeamToolPath() { return std::filesystem::absolute(BRENDIX_SEAMS_EXE).string(); }

CToolResult RunTool(const std::vector<std::string>& argv, const std::string& strCwd,
                    const std::string& strShell) {
  CTempDir outputs;
#ifdef _WIN32
  // No argument of the tests holds a quote; cmd leaves %NAME% alone where no such variable is set.
  if (!strShell.empty()) ADD_FAILURE() << "shell text runs on POSIX only: " << strShell;
  std::string strCommand = "cd /d \"" + strCwd + "\" &&";
  for (const auto& str : argv) strCommand += " \"" + str + "\"";
  strCommand += " <NUL >\"" + (outputs / "out") + "\" 2>\"" + (outputs / "err") + "\"";
  const int nStatus = std::system(strCommand.c_str());
#else
  // No argument of the tests holds a single quote.
  std::string strCommand = "TOOL='" + argv.at(0) + "'; cd '" + strCwd + "' && exec </dev/null >'" +
                           (outputs / "out") + "' 2>'" + (outputs / "err") + "' && " + strShell +
                           " \"$TOOL\"";
  for (std::size_t n = 1; n < argv.size(); ++n) strCommand += " '" + argv[n] + "'";
  const int nWait = std::system(strCommand.c_str());
  const int nStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : 128 + WTERMSIG(nWait);
#endif
  return {nStatus, ReadOutput(outputs / "out"), ReadOutput(outputs / "err")};
}
