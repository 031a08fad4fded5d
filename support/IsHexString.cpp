#include "support/IsHexString.h"

namespace {
bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
}  // namespace

bool IsHexString(const char* pszText, int /*nFlags*/) {
  if (pszText == nullptr) return false;
  int nLen = 0;
  // Stop after five characters: anything longer is rejected whatever follows.
  for (; nLen <= 4 && pszText[nLen] != '\0'; ++nLen) {
    if (!IsHexDigit(pszText[nLen])) return false;
  }
  return nLen >= 1 && nLen <= 4;
}
