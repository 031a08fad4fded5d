// The benchmark: builds large synthetic tapes and a tree of small ones in a scratch directory,
// times the program on each against a plain read-and-seek walk, and prints one table.
//   brendix_bench [--runs N] [--dir DIR] [--tool PATH]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchInputs.h"

namespace {
using Clock = std::chrono::steady_clock;

struct CRun {
  double dSeconds = 0;
  double dPeakMB = 0;
  std::uint64_t nBytesRead = 0;
  int nStatus = -1;
};

std::string g_strTool = BRENDIX_EXE;
int g_nRuns = 5;

std::uint64_t ReadCharCount(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/io");
  std::string strKey;
  std::uint64_t nValue = 0;
  while (in >> strKey >> nValue) {
    if (strKey == "rchar:") return nValue;
  }
  return 0;
}

// One run of the program; the child is inspected as a zombie, before it is reaped, so that its
// I/O counters can still be read.
CRun RunToolOnce(const std::vector<std::string>& args, const std::string& strCwd, const std::string& strOut) {
  const auto tStart = Clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int fdOut = ::open(strOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int fdNull = ::open("/dev/null", O_RDWR);
    ::dup2(fdNull, 0);
    ::dup2(fdOut, 1);
    ::dup2(fdNull, 2);
    if (::chdir(strCwd.c_str()) != 0) ::_exit(126);
    std::vector<char*> argv{const_cast<char*>(g_strTool.c_str())};
    for (const auto& str : args) argv.push_back(const_cast<char*>(str.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  siginfo_t info{};
  ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
  const auto tEnd = Clock::now();
  CRun run;
  run.nBytesRead = ReadCharCount(pid);
  int nWait = 0;
  struct rusage usage {};
  ::wait4(pid, &nWait, 0, &usage);
  run.dSeconds = std::chrono::duration<double>(tEnd - tStart).count();
  run.dPeakMB = static_cast<double>(usage.ru_maxrss) / 1024.0;
  run.nStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1;
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The program and its baseline, run alternately after one warm-up run of each, so that both
// meet the same machine: the medians of the two series are compared.
struct CPair {
  CRun tool;
  double dBaseline = 0;
};

CPair Measure(const std::vector<std::string>& args, const std::string& strCwd,
              const std::function<void()>& baseline, const std::string& strOut = "/dev/null") {
  RunToolOnce(args, strCwd, strOut);
  baseline();
  std::vector<double> toolSeconds, baselineSeconds;
  CPair pair;
  for (int i = 0; i < g_nRuns; ++i) {
    const CRun run = RunToolOnce(args, strCwd, strOut);
    toolSeconds.push_back(run.dSeconds);
    pair.tool.dPeakMB = std::max(pair.tool.dPeakMB, run.dPeakMB);
    pair.tool.nBytesRead = std::max(pair.tool.nBytesRead, run.nBytesRead);
    pair.tool.nStatus = run.nStatus;
    const auto tStart = Clock::now();
    baseline();
    baselineSeconds.push_back(std::chrono::duration<double>(Clock::now() - tStart).count());
  }
  pair.tool.dSeconds = Median(toolSeconds);
  pair.dBaseline = Median(baselineSeconds);
  return pair;
}

bool g_bAllMet = true;

void PrintRow(const char* pszInput, std::uint64_t nItems, const CRun& run, double dBaseline, double dTarget) {
  const double dRatio = run.dSeconds / dBaseline;
  const bool bMet = dRatio <= dTarget;
  g_bAllMet = g_bAllMet && bMet;
  std::printf("%-34s %9llu %9.4f %12.3g %8.1f %10.4f %7.3f %7s  %s\n", pszInput,
              static_cast<unsigned long long>(nItems), run.dSeconds,
              static_cast<double>(nItems) / run.dSeconds, run.dPeakMB, dBaseline, dRatio,
              ("<=" + std::to_string(dTarget).substr(0, 4)).c_str(), bMet ? "met" : "MISSED");
}

void Check(bool bOk, const char* pszWhat, const std::string& strDetail) {
  std::printf("%-6s %s%s\n", bOk ? "ok" : "FAILED", pszWhat, strDetail.c_str());
  g_bAllMet = g_bAllMet && bOk;
}
}  // namespace

int main(int argc, char* argv[]) {
  std::string strBase = std::filesystem::temp_directory_path().string();
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) g_nRuns = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--dir") == 0) strBase = argv[i + 1];
    if (std::strcmp(argv[i], "--tool") == 0) g_strTool = argv[i + 1];
  }
  std::string strDir = strBase + "/brendix-bench-XXXXXX";
  if (::mkdtemp(&strDir[0]) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  std::printf("Brendix32 benchmark: %ld cores, %d runs each (median), inputs in %s\n",
              ::sysconf(_SC_NPROCESSORS_ONLN), g_nRuns, strDir.c_str());
  std::fflush(stdout);

  const std::string strAws = strDir + "/dense.aws";
  const std::string strFkt = strDir + "/dense.fkt";
  const std::string strSparse = strDir + "/sparse.aws";
  const std::string strSparseBad = strDir + "/sparse-damaged.aws";
  const std::string strTree = strDir + "/tree";
  constexpr std::uint32_t kDense = 1000000;
  constexpr std::uint32_t kSparse = 100000;
  WriteDenseTape(strAws, false, kDense, 80, 1000, "xyz");
  WriteDenseTape(strFkt, true, kDense, 80, 0, "");
  const std::int64_t nSparseEnd = WriteSparseTape(strSparse, kSparse, 65535, "");
  WriteSparseTape(strSparseBad, kSparse, 65535, "xyz");
  WriteTree(strTree, 100, 100);

  std::printf("\n%-34s %9s %9s %12s %8s %10s %7s %7s\n", "input", "headers", "median s", "headers/s",
              "peak MB", "baseline s", "ratio", "target");
  // File arguments are relative: an argument that begins with "/" is always an option.
  const CPair aws = Measure({"/r", "dense.aws"}, strDir, [&] { BaselineWalk(strAws, false); });
  const std::uint64_t nAwsHeaders = kDense + kDense / 1000 + 1;
  PrintRow("AWS 1M x 80 B, damaged, /r", nAwsHeaders, aws.tool, aws.dBaseline, 0.10);
  const CPair fkt = Measure({"/r", "dense.fkt"}, strDir, [&] { BaselineWalk(strFkt, true); });
  PrintRow("FKT 1M x 80 B", kDense, fkt.tool, fkt.dBaseline, 0.10);
  const CPair sparse = Measure({"/r", "sparse.aws"}, strDir, [&] { BaselineWalk(strSparse, false); });
  PrintRow("AWS 100k x 64 KiB, sparse", kSparse, sparse.tool, sparse.dBaseline, 1.10);
  const CPair tree = Measure({"/r", "/s", "*"}, strTree, [&] { BaselineTree(strTree); });
  PrintRow("tree 10,000 files (files)", 10000, tree.tool, tree.dBaseline, 1.50);
  // The same run without /p serves as the baseline of the run with /p.
  const std::string strOutFile = strDir + "/out.txt";
  const CPair progress = Measure(
      {"/r", "/p", "dense.aws"}, strDir,
      [&] {
        RunToolOnce({"/r", "dense.aws"}, strDir, strOutFile);
      },
      strOutFile);
  PrintRow("AWS 1M with /p, vs without /p", nAwsHeaders, progress.tool, progress.dBaseline, 1.20);

  std::printf("\n");
  Check(aws.tool.dPeakMB < 100.0, "peak resident memory on the 1M-block tape under 100 MB: ",
        std::to_string(aws.tool.dPeakMB).substr(0, 5) + " MB");
  Check(sparse.tool.nBytesRead < 64ull * 1024 * 1024, "sparse tape never read in bulk: ",
        std::to_string(sparse.tool.nBytesRead) + " bytes read of " + std::to_string(nSparseEnd));
  Check(aws.tool.nStatus == 1 && fkt.tool.nStatus == 0 && sparse.tool.nStatus == 0 && tree.tool.nStatus == 0,
        "exit statuses 1, 0, 0, 0", "");
  const CRun repair = RunToolOnce({"sparse-damaged.aws"}, strDir, "/dev/null");
  struct stat st {};
  ::stat(strSparseBad.c_str(), &st);
  Check(repair.nStatus == 1 && st.st_size == nSparseEnd, "repair above 4 GiB cuts at the exact offset: ",
        std::to_string(st.st_size) + " bytes, expected " + std::to_string(nSparseEnd));

  std::filesystem::remove_all(strDir);
  std::printf("\n%s\n", g_bAllMet ? "all targets met" : "some targets MISSED");
  return g_bAllMet ? 0 : 1;
}
