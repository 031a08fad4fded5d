// The program with the platform's fault switches set from leading "--fail-..." arguments,
// which are removed before the program sees its command line. Built for tests only.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Driver.h"
#include "platform/Framework.h"
#include "platform/TestSeams.h"

int main(int argc, char* argv[]) {
  CPlatformFaults& faults = PlatformFaults();
  std::vector<char*> args{argv[0]};
  int i = 1;
  for (; i < argc && std::strncmp(argv[i], "--fail-", 7) == 0; ++i) {
    const char* pszSwitch = argv[i] + 7;
    if (std::strcmp(pszSwitch, "init") == 0) faults.bFailInit = true;
    if (std::strcmp(pszSwitch, "write") == 0) faults.bFailWrite = true;
    if (std::strcmp(pszSwitch, "write-open") == 0) faults.bFailWriteOpen = true;
    if (std::strcmp(pszSwitch, "setend") == 0) faults.bFailSetEnd = true;
    if (std::strcmp(pszSwitch, "seek") == 0) faults.bFailSeek = true;
    if (std::strncmp(pszSwitch, "read-after=", 11) == 0) {
      faults.bFailRead = true;
      faults.nReadsBeforeFailure = std::atoi(pszSwitch + 11);
    }
  }
  for (; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  return ToProcessExitStatus(BrendixMain(static_cast<int>(args.size()) - 1, args.data()));
}
