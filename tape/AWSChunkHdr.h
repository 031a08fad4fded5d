// The 6-byte block header of AWS and HET tape files: two little-endian lengths, two flag bytes.
#ifndef TAPE_AWSCHUNKHDR_H_
#define TAPE_AWSCHUNKHDR_H_

#include "tape/ChunkHdr.h"

class CAWSChunkHdr : public CChunkHdr {
 public:
  static constexpr std::uint32_t kSize = 6;

  /// Six zero bytes, which classify as CHUNK_INVALID.
  CAWSChunkHdr();
  /// Copies six bytes from pRaw; nothing is validated.
  explicit CAWSChunkHdr(const void* pRaw);

  void Init(std::uint16_t nCurLen, std::uint16_t nPrvLen, std::uint8_t nFlags1,
            std::uint8_t nFlags2) override;
  void Load(const void* pSrc) override;
  unsigned char* GetHdrPtr() override { return m_abHdr; }
  std::uint32_t GetHdrSize() const override { return kSize; }
  /// Decided by the flag bytes and whether the current length is 0.
  ChunkType GetChunkType() const override;
  std::uint16_t GetCurLen() const override;
  std::uint16_t GetPrvLen() const override;
  std::uint16_t GetXorLen() const override { return 0; }
  std::uint8_t GetFlags1() const override { return m_abHdr[4]; }
  std::uint8_t GetFlags2() const override { return m_abHdr[5]; }
  bool IsValid() const override;
  bool IsFirstChunk() const override;
  bool IsMiddleChunk() const override;
  bool IsLastChunk() const override;
  bool IsWholeBlock() const override;
  bool IsTapemark() const override;
  /// The compression answers read the bits as they stand, valid header or not.
  bool IsCompressed() const override;
  bool IsHetCompressed() const override;
  bool IsZlib() const override;
  bool IsBzip2() const override;
  bool IsFKT() const override { return false; }

 private:
  unsigned char m_abHdr[kSize];
};

#endif  // TAPE_AWSCHUNKHDR_H_
