#include "platform/SystemCalls.h"

#include <utility>

namespace {
CSystemCalls g_systemCalls;
CSystemCalls* g_pInUse = &g_systemCalls;
}  // namespace

CSystemCalls& SystemCalls() { return *g_pInUse; }

CSystemCalls* SetSystemCalls(CSystemCalls* pCalls) {
  return std::exchange(g_pInUse, pCalls != nullptr ? pCalls : &g_systemCalls);
}
