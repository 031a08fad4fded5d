#include "support/SetFilePointer64.h"

std::int64_t SetFilePointer64(HANDLE h, std::int64_t nDistance, DWORD dwMethod) {
  std::int64_t nNewPos = 0;
  if (!MoveFilePointer(h, nDistance, &nNewPos, dwMethod)) return -1;
  return nNewPos;
}
