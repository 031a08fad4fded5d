// Stand-ins for the start-up pieces of the class framework: the application object and its
// initialisation, with the process calls that feed it.
#ifndef PLATFORM_FRAMEWORK_H_
#define PLATFORM_FRAMEWORK_H_

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

#endif  // PLATFORM_FRAMEWORK_H_
