#include "support/IsHexString.h"

#include <array>
#include <cstddef>

namespace {
// A table instead of three range tests: an FKT walk looks up every digit of every header.
constexpr std::array<signed char, 256> MakeDigitTable() {
  std::array<signed char, 256> table{};
  for (auto& value : table) value = -1;
  for (int c = 0; c < 10; ++c) table[static_cast<std::size_t>('0' + c)] = static_cast<signed char>(c);
  for (int c = 0; c < 6; ++c) {
    table[static_cast<std::size_t>('A' + c)] = static_cast<signed char>(10 + c);
    table[static_cast<std::size_t>('a' + c)] = static_cast<signed char>(10 + c);
  }
  return table;
}
constexpr std::array<signed char, 256> kDigitValue = MakeDigitTable();
}  // namespace

int HexDigitValue(char ch) { return kDigitValue[static_cast<unsigned char>(ch)]; }

bool IsHexString(const char* pszText, int /*nFlags*/) {
  if (pszText == nullptr) return false;
  int nLen = 0;
  // Stop after five characters: anything longer is rejected whatever follows.
  for (; nLen <= 4 && pszText[nLen] != '\0'; ++nLen) {
    if (HexDigitValue(pszText[nLen]) < 0) return false;
  }
  return nLen >= 1 && nLen <= 4;
}
