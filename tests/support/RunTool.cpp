#include "tests/support/RunTool.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "tests/support/TempDir.h"

#ifndef BRENDIX_EXE
#define BRENDIX_EXE "Brendix32"
#endif
#ifndef BRENDIX_SEAMS_EXE
#define BRENDIX_SEAMS_EXE "Brendix32_seams"
#endif

std::string ToolPath() { return BRENDIX_EXE; }
std::string SeamToolPath() { return BRENDIX_SEAMS_EXE; }

CToolResult RunTool(const std::vector<std::string>& argv, const std::string& strCwd) {
  CTempDir outputs;
  const std::string strOut = outputs / "out";
  const std::string strErr = outputs / "err";
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int fdIn = ::open("/dev/null", O_RDONLY);
    const int fdOut = ::open(strOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int fdErr = ::open(strErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(fdIn, 0);
    ::dup2(fdOut, 1);
    ::dup2(fdErr, 2);
    if (::chdir(strCwd.c_str()) != 0) ::_exit(126);
    std::vector<char*> args;
    for (const auto& str : argv) args.push_back(const_cast<char*>(str.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  CToolResult result;
  int nWait = 0;
  ::waitpid(pid, &nWait, 0);
  result.nStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : 128 + WTERMSIG(nWait);
  result.strOut = ReadFileBytes(strOut);
  result.strErr = ReadFileBytes(strErr);
  return result;
}
