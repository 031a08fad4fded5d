// Switches that make platform calls fail on purpose. Only tests and the test-only seam
// executable set them; the program's command line cannot reach them.
#ifndef PLATFORM_TESTSEAMS_H_
#define PLATFORM_TESTSEAMS_H_

#include <functional>

#include "platform/Win32Api.h"

struct CPlatformFaults {
  bool bFailInit = false;    // AfxWinInit answers 0
  bool bFailWriteOpen = false;  // a read-write CreateFileA fails with ERROR_ACCESS_DENIED
  bool bFailRead = false;    // every ReadFile fails with ERROR_IO_DEVICE
  bool bFailWrite = false;   // every WriteFile fails with ERROR_DISK_FULL
  bool bFailSetEnd = false;  // every SetEndOfFile fails with ERROR_ACCESS_DENIED
  bool bFailSeek = false;    // every MoveFilePointer fails with ERROR_NEGATIVE_SEEK
  int nReadsBeforeFailure = 0;  // with bFailRead: reads that still succeed first
  std::function<void()> onSetEndOfFile;  // called as SetEndOfFile begins: a look at the caller's state
};

/// The one set of switches; all off at start.
CPlatformFaults& PlatformFaults();

#endif  // PLATFORM_TESTSEAMS_H_
