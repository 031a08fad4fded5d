// The program with fault-injecting system calls, chosen by leading "--..." arguments that are
// removed before the program sees its command line. Built for the tests only.
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/Driver.h"
#include "platform/ExitStatus.h"
#include "platform/SystemCalls.h"
#include "platform/Win32Api.h"

namespace {
// The system's own calls, except where a switch says otherwise:
//   --fail-init          the framework does not start
//   --fail-write-open    a read-write open is refused
//   --fail-read-after=N  after N reads every read fails
//   --short-reads        each read hands over 4 bytes at most
//   --fail-write         writes find the disk full
//   --fail-setend        truncation is refused
//   --grow-before-cut, --empty-before-cut   another program changes the file before the cut
class CFaultSystemCalls : public CSystemCalls {
 public:
  std::set<std::string> switches;
  int nReadsBeforeFailure = -1;

  bool On(const char* pszSwitch) const { return switches.count(pszSwitch) > 0; }
  bool StartUp() override { return !On("fail-init") && CSystemCalls::StartUp(); }
  std::uint32_t Open(const char* pszPath, bool bWrite, bool bExclusive, bool bNoFollow, NativeFile* pFile,
                     std::int64_t* pnSize) override {
    if (bWrite && On("fail-write-open")) return ERROR_ACCESS_DENIED;
    return CSystemCalls::Open(pszPath, bWrite, bExclusive, bNoFollow, pFile, pnSize);
  }
  std::uint32_t ReadAt(NativeFile file, std::int64_t nOffset, void* pDest, std::size_t nCount,
                       std::size_t* pnDone) override {
    *pnDone = 0;
    if (nReadsBeforeFailure == 0) return ERROR_IO_DEVICE;
    if (nReadsBeforeFailure > 0) --nReadsBeforeFailure;
    return CSystemCalls::ReadAt(file, nOffset, pDest, On("short-reads") && nCount > 4 ? 4 : nCount, pnDone);
  }
  std::uint32_t WriteAt(NativeFile file, std::int64_t nOffset, const void* pSrc, std::size_t nCount,
                        std::size_t* pnDone) override {
    *pnDone = 0;
    return On("fail-write") ? ERROR_DISK_FULL : CSystemCalls::WriteAt(file, nOffset, pSrc, nCount, pnDone);
  }
  std::uint32_t Truncate(NativeFile file, std::int64_t nSize) override {
    return On("fail-setend") ? ERROR_ACCESS_DENIED : CSystemCalls::Truncate(file, nSize);
  }
  // The check asks for the size as it opens the file and once more right before it cuts.
  std::uint32_t FileSize(NativeFile file, std::int64_t* pnSize) override {
    if (++m_nSizeQueries == 2) {
      std::size_t nDone = 0;
      CSystemCalls::FileSize(file, pnSize);
      if (On("grow-before-cut")) CSystemCalls::WriteAt(file, *pnSize, "appended", 8, &nDone);
      if (On("empty-before-cut")) CSystemCalls::Truncate(file, 0);
    }
    return CSystemCalls::FileSize(file, pnSize);
  }

 private:
  int m_nSizeQueries = 0;
};
}  // namespace

const std::string kSwitches =
    " fail-init fail-write-open short-reads fail-write fail-setend grow-before-cut empty-before-cut ";

int main(int argc, char* argv[]) {
  CFaultSystemCalls faults;
  SetSystemCalls(&faults);
  std::vector<char*> args{argv[0]};
  int i = 1;
  for (const std::string strRead = "fail-read-after="; i < argc && std::string(argv[i]).rfind("--", 0) == 0;
       ++i) {
    const std::string str = argv[i] + 2;
    if (str.rfind(strRead, 0) != 0 && kSwitches.find(" " + str + " ") == std::string::npos)
      return 2;  // mistyped
    if (str.rfind(strRead, 0) == 0) faults.nReadsBeforeFailure = std::atoi(argv[i] + 2 + strRead.size());
    faults.switches.insert(str);
  }
  for (; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  return ToProcessExitStatus(BrendixMain(static_cast<int>(args.size()) - 1, args.data()));
}
