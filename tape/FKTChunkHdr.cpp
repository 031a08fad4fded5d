// FKT headers: hexadecimal text fields, validated by their check field.
#include "tape/FKTChunkHdr.h"

#include <cstring>

#include "support/IsHexString.h"

void FormatHexField(char* pField, unsigned int nValue) {
  static const char kDigits[] = "0123456789ABCDEF";
  for (int i = 3; i >= 0; --i) {
    pField[i] = kDigits[nValue & 0xF];
    nValue >>= 4;
  }
}

std::uint16_t ParseHexField(const char* pField, bool* pbOk) {
  *pbOk = true;
  // Four digits, as every FKT writer stores them: the answer the general path below would
  // give, without building a text first. An FKT walk reads several fields of every header.
  const int d0 = HexDigitValue(pField[0]), d1 = HexDigitValue(pField[1]), d2 = HexDigitValue(pField[2]),
            d3 = HexDigitValue(pField[3]);
  if ((d0 | d1 | d2 | d3) >= 0) return static_cast<std::uint16_t>(d0 << 12 | d1 << 8 | d2 << 4 | d3);

  // The field is not terminated in the header: take a terminated copy that ends at the
  // first NUL or after four characters.
  char szText[5] = {};
  for (int i = 0; i < 4 && pField[i] != '\0'; ++i) szText[i] = pField[i];
  if (!IsHexString(szText, 0)) {
    *pbOk = false;
    return 0;
  }
  // IsHexString let through one to four hex digits and nothing else, so the scan converts the
  // whole text into a value of at most 0xFFFF; a scanf call here cost more than the rest of
  // the walk of an FKT tape.
  unsigned int nValue = 0;
  for (const char* p = szText; *p != '\0'; ++p)
    nValue = nValue * 16 + static_cast<unsigned int>(HexDigitValue(*p));
  return static_cast<std::uint16_t>(nValue);
}

CFKTChunkHdr::CFKTChunkHdr() { std::memset(m_achHdr, '0', kSize); }

CFKTChunkHdr::CFKTChunkHdr(const void* pRaw) { std::memcpy(m_achHdr, pRaw, kSize); }

void CFKTChunkHdr::Init(std::uint16_t nCurLen, std::uint16_t nPrvLen, std::uint8_t /*nFlags1*/,
                        std::uint8_t /*nFlags2*/) {
  FormatHexField(m_achHdr, nPrvLen);
  FormatHexField(m_achHdr + 4, nCurLen);
  FormatHexField(m_achHdr + 8, static_cast<unsigned int>(nCurLen ^ nPrvLen));
}

void CFKTChunkHdr::Load(const void* pSrc) { std::memcpy(m_achHdr, pSrc, kSize); }

std::uint16_t CFKTChunkHdr::GetCurLen() const {
  bool bOk = false;
  return ParseHexField(CurField(), &bOk);
}

std::uint16_t CFKTChunkHdr::GetPrvLen() const {
  bool bOk = false;
  return ParseHexField(PrvField(), &bOk);
}

std::uint16_t CFKTChunkHdr::GetXorLen() const {
  bool bOk = false;
  return ParseHexField(XorField(), &bOk);
}

bool CFKTChunkHdr::IsValid() const {
  bool bOk = false;
  const std::uint16_t nCur = ParseHexField(CurField(), &bOk);
  if (!bOk) return false;
  const std::uint16_t nPrv = ParseHexField(PrvField(), &bOk);
  if (!bOk) return false;
  const std::uint16_t nXor = ParseHexField(XorField(), &bOk);
  if (!bOk) return false;
  return static_cast<std::uint16_t>(nCur ^ nPrv) == nXor;
}

bool CFKTChunkHdr::IsTapemark() const { return std::memcmp(CurField(), "0000", 4) == 0; }

ChunkType CFKTChunkHdr::GetChunkType() const {
  if (!IsValid()) return CHUNK_INVALID;
  return IsTapemark() ? CHUNK_TAPEMARK : CHUNK_WHOLE;
}
