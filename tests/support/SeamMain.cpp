// The program with fault-injecting system calls set from leading "--fail-..." and "--...-before-cut"
// arguments, which are removed before the program sees its command line. Built for tests only.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Driver.h"
#include "platform/ExitStatus.h"
#include "tests/support/FaultSystemCalls.h"

int main(int argc, char* argv[]) {
  CFaultSystemCalls faults;
  int nSizeQueries = 0;
  std::vector<char*> args{argv[0]};
  int i = 1;
  for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
    const char* pszSwitch = argv[i] + 2;
    if (std::strcmp(pszSwitch, "fail-init") == 0) faults.bFailStartUp = true;
    if (std::strcmp(pszSwitch, "fail-write") == 0) faults.bFailWrite = true;
    if (std::strcmp(pszSwitch, "fail-write-open") == 0) faults.bFailWriteOpen = true;
    if (std::strcmp(pszSwitch, "fail-setend") == 0) faults.bFailTruncate = true;
    if (std::strncmp(pszSwitch, "fail-read-after=", 16) == 0)
      faults.nReadsBeforeFailure = std::atoi(pszSwitch + 16);
    // Another program appends to or empties the file after the walk, before the repair cuts:
    // the check asks for the size once as it opens the file and once more before it cuts.
    const bool bGrow = std::strcmp(pszSwitch, "grow-before-cut") == 0;
    if (bGrow || std::strcmp(pszSwitch, "empty-before-cut") == 0) {
      faults.onFileSize = [&faults, &nSizeQueries, bGrow](NativeFile file) {
        if (++nSizeQueries != 2) return;
        std::int64_t nSize = 0;
        std::size_t nDone = 0;
        faults.CSystemCalls::FileSize(file, &nSize);
        if (bGrow) {
          faults.CSystemCalls::WriteAt(file, nSize, "appended", 8, &nDone);
        } else {
          faults.CSystemCalls::Truncate(file, 0);
        }
      };
    }
  }
  for (; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  return ToProcessExitStatus(BrendixMain(static_cast<int>(args.size()) - 1, args.data()));
}
