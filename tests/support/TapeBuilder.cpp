#include "tests/support/TapeBuilder.h"

#include <cstdio>

std::string AwsHeader(std::uint16_t nCur, std::uint16_t nPrv, std::uint8_t nFlags1, std::uint8_t nFlags2) {
  const char ach[6] = {static_cast<char>(nCur & 0xFF), static_cast<char>(nCur >> 8),
                       static_cast<char>(nPrv & 0xFF), static_cast<char>(nPrv >> 8),
                       static_cast<char>(nFlags1),     static_cast<char>(nFlags2)};
  return std::string(ach, 6);
}

std::string FktHeader(std::uint16_t nCur, std::uint16_t nPrv) {
  char sz[13];
  std::snprintf(sz, sizeof sz, "%04X%04X%04X", nPrv, nCur, static_cast<unsigned>(nCur ^ nPrv));
  return sz;
}

CTapeBuilder& CTapeBuilder::Chunk(std::uint16_t nLen, std::uint8_t nFlags1, std::uint8_t nFlags2) {
  m_strBytes += m_eKind == AWS ? AwsHeader(nLen, m_nPrvLen, nFlags1, nFlags2) : FktHeader(nLen, m_nPrvLen);
  for (std::uint16_t i = 0; i < nLen; ++i) m_strBytes += static_cast<char>('A' + i % 26);
  m_nPrvLen = nLen;
  return *this;
}

CTapeBuilder& CTapeBuilder::Raw(const std::string& strBytes) {
  m_strBytes += strBytes;
  return *this;
}
