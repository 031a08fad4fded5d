// The debugger channel: a sink that does nothing until a test or a debugger bridge sets one.
#include "platform/DebugOutput.h"

#include <utility>

#include "platform/Win32Api.h"

namespace {
DebugOutputSink& Sink() {
  static DebugOutputSink sink;
  return sink;
}
}  // namespace

DebugOutputSink SetDebugOutputSink(DebugOutputSink sink) {
  return std::exchange(Sink(), std::move(sink));
}

void OutputDebugStringA(const char* pszText) {
  if (Sink() && pszText != nullptr) Sink()(pszText);
}
