// The framework's start-up stand-ins, the same on every system: there is no framework to start
// beyond preparing the process, and nothing looks behind the module handle.
#include "platform/Framework.h"

#include "platform/SystemCalls.h"

HINSTANCE GetModuleHandleA(const char* /*pszModule*/) {
  static int s_nModule = 0;
  return &s_nModule;  // any non-null value
}

const char* GetCommandLineA() { return ""; }

BOOL AfxWinInit(HINSTANCE /*hInstance*/, HINSTANCE /*hPrevInstance*/, const char* /*pszCmdLine*/,
                int /*nCmdShow*/) {
  return SystemCalls().StartUp() ? TRUE : FALSE;
}
