// The debugger channel: the system's own where there is one (Windows); elsewhere the text goes
// nowhere, as it does on Windows when no debugger listens.
#include "platform/Native.h"
#include "platform/Win32Api.h"

void OutputDebugStringA(const char* pszText) {
  if (pszText != nullptr) NativeDebugOutput(pszText);
}
