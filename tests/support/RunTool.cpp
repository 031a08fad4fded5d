#include <cstdlib>

#include "tests/support/E2eTest.h"
#include "tests/support/TempDir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#ifndef BRENDIX_EXE
#define BRENDIX_EXE "Brendix32"
#endif
#ifndef BRENDIX_SEAMS_EXE
#define BRENDIX_SEAMS_EXE "Brendix32_seams"
#endif

#ifdef _WIN32
namespace {
// The build names the programs with POSIX paths when it cross-builds; the shell needs a full
// Windows path, whatever directory it starts in.
std::string FullPath(const char* pszPath) {
  char szFull[MAX_PATH];
  const DWORD nLen = ::GetFullPathNameA(pszPath, MAX_PATH, szFull, nullptr);
  return nLen > 0 && nLen < MAX_PATH ? szFull : pszPath;
}

// Lines the program writes in text mode end in "\r\n"; the tests compare "\n".
std::string WithPlainLineEnds(std::string strText) {
  for (auto nPos = strText.find("\r\n"); nPos != std::string::npos; nPos = strText.find("\r\n", nPos)) {
    strText.erase(nPos, 1);
  }
  return strText;
}
}  // namespace

std::string ToolPath() { return FullPath(BRENDIX_EXE); }
std::string SeamToolPath() { return FullPath(BRENDIX_SEAMS_EXE); }

// No argument of the tests holds a quote; cmd leaves %NAME% alone where no such variable is set.
CToolResult RunTool(const std::vector<std::string>& argv, const std::string& strCwd, const std::string&) {
  CTempDir outputs;
  std::string strCommand = "cd /d \"" + strCwd + "\" &&";
  for (const auto& str : argv) strCommand += " \"" + str + "\"";
  strCommand += " <NUL >\"" + (outputs / "out") + "\" 2>\"" + (outputs / "err") + "\"";
  const int nStatus = std::system(strCommand.c_str());
  return {nStatus, WithPlainLineEnds(ReadFileBytes(outputs / "out")),
          WithPlainLineEnds(ReadFileBytes(outputs / "err"))};
}
#else
std::string ToolPath() { return BRENDIX_EXE; }
std::string SeamToolPath() { return BRENDIX_SEAMS_EXE; }

// No argument of the tests holds a single quote.
CToolResult RunTool(const std::vector<std::string>& argv, const std::string& strCwd,
                    const std::string& strShell) {
  CTempDir outputs;
  std::string strCommand = "TOOL='" + argv.at(0) + "'; cd '" + strCwd + "' && exec </dev/null >'" +
                           (outputs / "out") + "' 2>'" + (outputs / "err") + "' && " + strShell +
                           " \"$TOOL\"";
  for (std::size_t n = 1; n < argv.size(); ++n) strCommand += " '" + argv[n] + "'";
  const int nStatus = std::system(strCommand.c_str());
  return {WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 128 + WTERMSIG(nStatus), ReadFileBytes(outputs / "out"),
          ReadFileBytes(outputs / "err")};
}
#endif
