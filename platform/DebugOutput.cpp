// The debugger channel: the system's, where there is one, and a sink that tests can set.
#include "platform/DebugOutput.h"

#include <utility>

#include "platform/Native.h"
#include "platform/Win32Api.h"

namespace {
DebugOutputSink& Sink() {
  static DebugOutputSink sink;
  return sink;
}
}  // namespace

DebugOutputSink SetDebugOutputSink(DebugOutputSink sink) { return std::exchange(Sink(), std::move(sink)); }

void OutputDebugStringA(const char* pszText) {
  if (pszText == nullptr) return;
  if (Sink()) Sink()(pszText);
  NativeDebugOutput(pszText);
}
