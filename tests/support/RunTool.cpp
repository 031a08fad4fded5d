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

// Quoted so that the child's start-up code splits the line back into exactly these arguments.
std::string QuoteArgument(const std::string& strArg) {
  if (!strArg.empty() && strArg.find_first_of(" \t\"") == std::string::npos) return strArg;
  std::string strQuoted = "\"";
  size_t nSlashes = 0;
  for (char ch : strArg) {
    if (ch == '\\') {
      ++nSlashes;
      continue;
    }
    strQuoted.append(ch == '"' ? nSlashes * 2 + 1 : nSlashes, '\\');
    nSlashes = 0;
    strQuoted += ch;
  }
  strQuoted.append(nSlashes * 2, '\\');
  return strQuoted + "\"";
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
  const std::string strOut = outputs / "out";
  const std::string strErr = outputs / "err";
  std::string strCommand;
  for (const auto& str : argv) strCommand += (strCommand.empty() ? "" : " ") + QuoteArgument(str);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = OpenInheritable("NUL", false);
  si.hStdOutput = OpenInheritable(strOut, true);
  si.hStdError = OpenInheritable(strErr, true);
  PROCESS_INFORMATION pi{};
  CToolResult result;
  // Starting a process can fail for a moment on a loaded machine (seen under Wine); that says
  // nothing about the program, so try again before giving up.
  BOOL bStarted = FALSE;
  for (int nTry = 0; nTry < 3 && !bStarted; ++nTry) {
    if (nTry > 0) ::Sleep(100);
    bStarted = ::CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, TRUE, 0, nullptr, strCwd.c_str(),
                                &si, &pi);
  }
  if (bStarted) {
    DWORD dwCode = 0;
    if (::WaitForSingleObject(pi.hProcess, INFINITE) == WAIT_OBJECT_0 &&
        ::GetExitCodeProcess(pi.hProcess, &dwCode)) {
      result.nStatus = static_cast<int>(dwCode);
    } else {
      result.nStatus = 126;  // never a status of the program itself
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  } else {
    result.nStatus = 127;
  }
  ::CloseHandle(si.hStdInput);
  ::CloseHandle(si.hStdOutput);
  ::CloseHandle(si.hStdError);
  result.strOut = WithPlainLineEnds(ReadFileBytes(strOut));
  result.strErr = WithPlainLineEnds(ReadFileBytes(strErr));
  return result;
}
#else
std::string ToolPath() { return BRENDIX_EXE; }
std::string SeamToolPath() { return BRENDIX_SEAMS_EXE; }

CToolResult RunTool(const std::vector<std::string>& argv, const std::string& strCwd,
                    const std::function<void()>& childSetup) {
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
    if (childSetup) childSetup();
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
#endif
