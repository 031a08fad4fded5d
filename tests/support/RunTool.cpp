#include "tests/support/RunTool.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "tests/support/TempDir.h"

#ifndef BRENDIX_EXE
#define BRENDIX_EXE "Brendix32"
#endif
#ifndef BRENDIX_SEAMS_EXE
#define BRENDIX_SEAMS_EXE "Brendix32_seams"
#endif

#ifdef _WIN32
namespace {
// The build names the programs with POSIX paths when it cross-builds; the child needs a full
// Windows path, whatever directory it starts in.
std::string FullPath(const char* pszPath) {
  char szFull[MAX_PATH];
  const DWORD nLen = ::GetFullPathNameA(pszPath, MAX_PATH, szFull, nullptr);
  return nLen > 0 && nLen < MAX_PATH ? szFull : pszPath;
}

// Quoted where it holds a blank; no argument of the tests holds a quote or ends in a backslash.
std::string QuoteArgument(const std::string& strArg) {
  return strArg.empty() || strArg.find_first_of(" \t") != std::string::npos ? "\"" + strArg + "\"" : strArg;
}

// Lines the program writes in text mode end in "\r\n"; the tests compare "\n".
std::string WithPlainLineEnds(std::string strText) {
  for (auto nPos = strText.find("\r\n"); nPos != std::string::npos; nPos = strText.find("\r\n", nPos)) {
    strText.erase(nPos, 1);
  }
  return strText;
}

HANDLE OpenInheritable(const std::string& strPath, bool bWrite) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return ::CreateFileA(strPath.c_str(), bWrite ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, bWrite ? CREATE_ALWAYS : OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}
}  // namespace

std::string ToolPath() { return FullPath(BRENDIX_EXE); }
std::string SeamToolPath() { return FullPath(BRENDIX_SEAMS_EXE); }

CToolResult RunTool(const std::vector<std::string>& argv, const std::string& strCwd,
                    const std::function<void()>& /*childSetup*/) {
  CTempDir outputs;
  std::string strCommand;
  for (const auto& str : argv) strCommand += (strCommand.empty() ? "" : " ") + QuoteArgument(str);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = OpenInheritable("NUL", false);
  si.hStdOutput = OpenInheritable(outputs / "out", true);
  si.hStdError = OpenInheritable(outputs / "err", true);
  PROCESS_INFORMATION pi{};
  DWORD dwCode = 127;  // never a status of the program itself
  if (::CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, TRUE, 0, nullptr, strCwd.c_str(), &si,
                       &pi)) {
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    ::GetExitCodeProcess(pi.hProcess, &dwCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  }
  for (HANDLE h : {si.hStdInput, si.hStdOutput, si.hStdError}) ::CloseHandle(h);
  return {static_cast<int>(dwCode), WithPlainLineEnds(ReadFileBytes(outputs / "out")),
          WithPlainLineEnds(ReadFileBytes(outputs / "err"))};
}
#else
std::string ToolPath() { return BRENDIX_EXE; }
std::string SeamToolPath() { return BRENDIX_SEAMS_EXE; }

CToolResult RunTool(const std::vector<std::string>& argv, const std::string& strCwd,
                    const std::function<void()>& childSetup) {
  CTempDir outputs;
  const std::string strOut = outputs / "out", strErr = outputs / "err";
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(::open("/dev/null", O_RDONLY), 0);
    ::dup2(::open(strOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    ::dup2(::open(strErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    if (::chdir(strCwd.c_str()) != 0) ::_exit(126);
    if (childSetup) childSetup();
    std::vector<char*> args;
    for (const auto& str : argv) args.push_back(const_cast<char*>(str.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  int nWait = 0;
  ::waitpid(pid, &nWait, 0);
  return {WIFEXITED(nWait) ? WEXITSTATUS(nWait) : 128 + WTERMSIG(nWait), ReadFileBytes(strOut),
          ReadFileBytes(strErr)};
}
#endif
