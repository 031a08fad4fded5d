// The exit status and the progress output on Windows: the status is 32 bits wide, main's value as is.
#include <io.h>
#include <stdio.h>

#include <chrono>

#include "platform/ExitStatus.h"
#include "platform/ProgressOutput.h"

int ToProcessExitStatus(int nResult) { return nResult; }

void WriteProgressPicture(const char* pPicture, std::size_t nBytes) {
  // One thread writes to standard output, so the stream lock taken per call buys nothing.
  for (std::size_t i = 0; i < nBytes; ++i) _putc_nolock(pPicture[i], stdout);
  static const bool s_bTerminal = _isatty(_fileno(stdout)) != 0;
  if (!s_bTerminal) return;
  using Clock = std::chrono::steady_clock;
  static Clock::time_point s_last{};
  const Clock::time_point now = Clock::now();
  if (now - s_last >= std::chrono::milliseconds(100)) {
    ::fflush(stdout);
    s_last = now;
  }
}
