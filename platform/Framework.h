// Stand-ins for the start-up pieces of the class framework: the application object and its
// initialisation, and the conversion of main's result into the process exit status.
#ifndef PLATFORM_FRAMEWORK_H_
#define PLATFORM_FRAMEWORK_H_

#include <cstddef>

#include "platform/Win32Api.h"

/// The one application object; it holds nothing on platforms without the framework.
class CWinApp {
 public:
  explicit CWinApp(const char* pszAppName = nullptr) { (void)pszAppName; }
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
};

/// Starts the framework and prepares the process (see CSystemCalls::StartUp). Non-zero when
/// it is ready.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, const char* pszCmdLine, int nCmdShow);

/// What the process hands its parent for main's result. POSIX statuses are 8 bits wide:
/// -1 becomes 255 and a count is clamped to 254, so it never wraps to 0 or to the error value.
int ToProcessExitStatus(int nResult);

/// Writes the bytes of one progress picture to standard output, as printf would, and makes it
/// visible on a terminal without waiting for a line feed. Flushes at most a few times a second
/// and writes without per-call stream locking, so that millions of pictures cost next to nothing.
void WriteProgressPicture(const char* pPicture, std::size_t nBytes);

#endif  // PLATFORM_FRAMEWORK_H_
