// The program with fault-injecting system calls, chosen by leading "--..." arguments that are
// removed before the program sees its command line. Built for the tests only.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Driver.h"
#include "platform/ExitStatus.h"
#include "platform/SystemCalls.h"
#include "platform/Win32Api.h"

namespace {
// The system's own calls, except where a switch says otherwise.
class CFaultSystemCalls : public CSystemCalls {
 public:
  bool bFailStartUp = false;     // --fail-init: the framework does not start
  bool bFailWriteOpen = false;   // --fail-write-open: a read-write open is refused
  int nReadsBeforeFailure = -1;  // --fail-read-after=N: then every read fails
  bool bShortReads = false;      // --short-reads: each read hands over 4 bytes at most
  bool bFailWrite = false;       // --fail-write: writes find the disk full
  bool bFailTruncate = false;    // --fail-setend: truncation is refused
  int nChangeAtSizeQuery = 0;    // --grow/--empty-before-cut: another program changes the file
  bool bGrow = false;

  bool StartUp() override { return !bFailStartUp && CSystemCalls::StartUp(); }
  std::uint32_t Open(const char* pszPath, bool bWrite, bool bExclusive, bool bNoFollow, NativeFile* pFile,
                     std::int64_t* pnSize) override {
    if (bWrite && bFailWriteOpen) return ERROR_ACCESS_DENIED;
    return CSystemCalls::Open(pszPath, bWrite, bExclusive, bNoFollow, pFile, pnSize);
  }
  std::uint32_t ReadAt(NativeFile file, std::int64_t nOffset, void* pDest, std::size_t nCount,
                       std::size_t* pnDone) override {
    *pnDone = 0;
    if (nReadsBeforeFailure == 0) return ERROR_IO_DEVICE;
    if (nReadsBeforeFailure > 0) --nReadsBeforeFailure;
    return CSystemCalls::ReadAt(file, nOffset, pDest, bShortReads && nCount > 4 ? 4 : nCount, pnDone);
  }
  std::uint32_t WriteAt(NativeFile file, std::int64_t nOffset, const void* pSrc, std::size_t nCount,
                        std::size_t* pnDone) override {
    *pnDone = 0;
    return bFailWrite ? ERROR_DISK_FULL : CSystemCalls::WriteAt(file, nOffset, pSrc, nCount, pnDone);
  }
  std::uint32_t Truncate(NativeFile file, std::int64_t nSize) override {
    return bFailTruncate ? ERROR_ACCESS_DENIED : CSystemCalls::Truncate(file, nSize);
  }
  // The check asks for the size as it opens the file and once more right before it cuts.
  std::uint32_t FileSize(NativeFile file, std::int64_t* pnSize) override {
    if (--nChangeAtSizeQuery == 0) {
      std::size_t nDone = 0;
      CSystemCalls::FileSize(file, pnSize);
      if (bGrow) CSystemCalls::WriteAt(file, *pnSize, "appended", 8, &nDone);
      if (!bGrow) CSystemCalls::Truncate(file, 0);
    }
    return CSystemCalls::FileSize(file, pnSize);
  }
};
}  // namespace

int main(int argc, char* argv[]) {
  CFaultSystemCalls faults;
  SetSystemCalls(&faults);
  std::vector<char*> args{argv[0]};
  int i = 1;
  for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
    const char* psz = argv[i] + 2;
    faults.bFailStartUp |= std::strcmp(psz, "fail-init") == 0;
    faults.bFailWrite |= std::strcmp(psz, "fail-write") == 0;
    faults.bFailWriteOpen |= std::strcmp(psz, "fail-write-open") == 0;
    faults.bFailTruncate |= std::strcmp(psz, "fail-setend") == 0;
    faults.bShortReads |= std::strcmp(psz, "short-reads") == 0;
    if (std::strncmp(psz, "fail-read-after=", 16) == 0) faults.nReadsBeforeFailure = std::atoi(psz + 16);
    faults.bGrow |= std::strcmp(psz, "grow-before-cut") == 0;
    if (std::strstr(psz, "-before-cut") != nullptr) faults.nChangeAtSizeQuery = 2;
  }
  for (; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  return ToProcessExitStatus(BrendixMain(static_cast<int>(args.size()) - 1, args.data()));
}
