// The exit status and the progress output on POSIX: statuses are 8 bits wide.
#include <stdio.h>
#include <time.h>
#include <unistd.h>

#include "platform/ExitStatus.h"
#include "platform/ProgressOutput.h"

int ToProcessExitStatus(int nResult) {
  if (nResult < 0) return 255;
  return nResult > 254 ? 254 : nResult;
}

void WriteProgressPicture(const char* pPicture, std::size_t nBytes) {
  // One thread writes to standard output, so the stream lock taken per call buys nothing.
  for (std::size_t i = 0; i < nBytes; ++i) putc_unlocked(pPicture[i], stdout);
  // Off a terminal the pictures may wait in the stream's buffer like any other output.
  static const bool s_bTerminal = ::isatty(STDOUT_FILENO) == 1;
  if (!s_bTerminal) return;
  // The coarse clock costs a few nanoseconds, so it can be read for every picture.
  constexpr long kIntervalNs = 100L * 1000 * 1000;
  static struct timespec s_last {};
  struct timespec now {};
  ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
  const long nElapsedNs = (now.tv_sec - s_last.tv_sec) * 1000000000L + (now.tv_nsec - s_last.tv_nsec);
  if (nElapsedNs >= kIntervalNs) {
    ::fflush(stdout);
    s_last = now;
  }
}
