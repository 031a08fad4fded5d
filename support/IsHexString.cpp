#include "support/IsHexString.h"

#include <array>
#include <cstddef>

namespace {
// A table instead of three range tests: FKT walks call this four times per header.
constexpr std::array<bool, 256> MakeHexTable() {
  std::array<bool, 256> table{};
  for (int c = '0'; c <= '9'; ++c) table[static_cast<std::size_t>(c)] = true;
  for (int c = 'A'; c <= 'F'; ++c) table[static_cast<std::size_t>(c)] = true;
  for (int c = 'a'; c <= 'f'; ++c) table[static_cast<std::size_t>(c)] = true;
  return table;
}
constexpr std::array<bool, 256> kIsHexDigit = MakeHexTable();
}  // namespace

bool IsHexString(const char* pszText, int /*nFlags*/) {
  if (pszText == nullptr) return false;
  int nLen = 0;
  // Stop after five characters: anything longer is rejected whatever follows.
  for (; nLen <= 4 && pszText[nLen] != '\0'; ++nLen) {
    if (!kIsHexDigit[static_cast<unsigned char>(pszText[nLen])]) return false;
  }
  return nLen >= 1 && nLen <= 4;
}
