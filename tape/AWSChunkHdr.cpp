// Classification of AWS/HET headers by their flag bits.
#include "tape/AWSChunkHdr.h"

#include <cstring>

namespace {
constexpr std::uint8_t kF1StartOfBlock = 0x80;
constexpr std::uint8_t kF1Tapemark = 0x40;
constexpr std::uint8_t kF1EndOfBlock = 0x20;
constexpr std::uint8_t kF1Reserved = 0x0C;
constexpr std::uint8_t kF1Bzip2 = 0x02;
constexpr std::uint8_t kF1Zlib = 0x01;
constexpr std::uint8_t kF1Compression = kF1Bzip2 | kF1Zlib;
constexpr std::uint8_t kF2Zlib = 0x80;
constexpr std::uint8_t kF2Compressed = 0x40;
constexpr std::uint8_t kF2Compression = kF2Zlib | kF2Compressed;
constexpr std::uint8_t kF2Reserved = 0x3F;

bool IsMalformed(std::uint8_t f1, std::uint8_t f2) {
  if ((f1 & kF1Reserved) != 0 || (f2 & kF2Reserved) != 0) return true;
  if ((f1 & kF1Compression) == kF1Compression) return true;  // two methods at once
  if ((f2 & kF2Compression) == kF2Compression) return true;
  if ((f1 & kF1Compression) != 0 && (f2 & kF2Compression) != 0) return true;  // marked twice
  if ((f1 & kF1Tapemark) != 0 && (f1 != kF1Tapemark || f2 != 0)) return true;
  return (f1 & 0xFC) > 0xB0;
}

ChunkType Classify(std::uint8_t f1, std::uint8_t f2, bool bHasData) {
  if (IsMalformed(f1, f2)) return CHUNK_INVALID;
  switch (f1 & 0xFC & ~0x10) {  // bit 0x10 plays no part
    case 0x00:
      return bHasData ? CHUNK_MIDDLE : CHUNK_INVALID;
    case kF1EndOfBlock:
      return bHasData ? CHUNK_LAST : CHUNK_INVALID;
    case kF1Tapemark:
      return bHasData ? CHUNK_INVALID : CHUNK_TAPEMARK;
    case kF1StartOfBlock:
      return bHasData ? CHUNK_FIRST : CHUNK_INVALID;
    case kF1StartOfBlock | kF1EndOfBlock:
      return bHasData ? CHUNK_WHOLE : CHUNK_INVALID;
    default:
      return CHUNK_INVALID;
  }
}
}  // namespace

CAWSChunkHdr::CAWSChunkHdr() : m_abHdr{} {}

CAWSChunkHdr::CAWSChunkHdr(const void* pRaw) { std::memcpy(m_abHdr, pRaw, kSize); }

void CAWSChunkHdr::Init(std::uint16_t nCurLen, std::uint16_t nPrvLen, std::uint8_t nFlags1,
                        std::uint8_t nFlags2) {
  // Little-endian by construction, whatever the machine's byte order.
  m_abHdr[0] = static_cast<unsigned char>(nCurLen & 0xFF);
  m_abHdr[1] = static_cast<unsigned char>(nCurLen >> 8);
  m_abHdr[2] = static_cast<unsigned char>(nPrvLen & 0xFF);
  m_abHdr[3] = static_cast<unsigned char>(nPrvLen >> 8);
  m_abHdr[4] = nFlags1;
  m_abHdr[5] = nFlags2;
}

void CAWSChunkHdr::Load(const void* pSrc) { std::memcpy(m_abHdr, pSrc, kSize); }

std::uint16_t CAWSChunkHdr::GetCurLen() const {
  return static_cast<std::uint16_t>(m_abHdr[0] | (m_abHdr[1] << 8));
}

std::uint16_t CAWSChunkHdr::GetPrvLen() const {
  return static_cast<std::uint16_t>(m_abHdr[2] | (m_abHdr[3] << 8));
}

ChunkType CAWSChunkHdr::GetChunkType() const { return Classify(m_abHdr[4], m_abHdr[5], GetCurLen() != 0); }

bool CAWSChunkHdr::IsValid() const { return GetChunkType() != CHUNK_INVALID; }
bool CAWSChunkHdr::IsFirstChunk() const { return GetChunkType() == CHUNK_FIRST; }
bool CAWSChunkHdr::IsMiddleChunk() const { return GetChunkType() == CHUNK_MIDDLE; }
bool CAWSChunkHdr::IsLastChunk() const { return GetChunkType() == CHUNK_LAST; }
bool CAWSChunkHdr::IsWholeBlock() const { return GetChunkType() == CHUNK_WHOLE; }
bool CAWSChunkHdr::IsTapemark() const { return GetChunkType() == CHUNK_TAPEMARK; }

bool CAWSChunkHdr::IsCompressed() const {
  return (GetFlags1() & kF1Compression) != 0 || (GetFlags2() & kF2Compression) != 0;
}
bool CAWSChunkHdr::IsHetCompressed() const { return (GetFlags1() & kF1Compression) != 0; }
bool CAWSChunkHdr::IsZlib() const { return (GetFlags1() & kF1Zlib) != 0 || (GetFlags2() & kF2Zlib) != 0; }
bool CAWSChunkHdr::IsBzip2() const { return (GetFlags1() & kF1Bzip2) != 0; }
