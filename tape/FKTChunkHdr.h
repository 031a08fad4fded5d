// The 12-character block header of FKT tape files: previous length, current length and
// their XOR, each as four hexadecimal digits.
#ifndef TAPE_FKTCHUNKHDR_H_
#define TAPE_FKTCHUNKHDR_H_

#include "tape/ChunkHdr.h"

/// Writes the low 16 bits of nValue as four upper-case hex digits into pField[0..3]; no
/// terminator, nothing outside the four characters is touched.
void FormatHexField(char* pField, unsigned int nValue);

/// Reads a four-character field that need not be terminated; the text ends at the first NUL.
/// *pbOk is false, and the value 0, unless the text is one to four hexadecimal digits
/// (either case).
std::uint16_t ParseHexField(const char* pField, bool* pbOk);

class CFKTChunkHdr : public CChunkHdr {
 public:
  static constexpr std::uint32_t kSize = 12;

  /// Twelve '0' digits: a valid tapemark.
  CFKTChunkHdr();
  /// Copies twelve bytes from pRaw; nothing is validated.
  explicit CFKTChunkHdr(const void* pRaw);

  void Init(std::uint16_t nCurLen, std::uint16_t nPrvLen, std::uint8_t nFlags1,
            std::uint8_t nFlags2) override;
  void Load(const void* pSrc) override;
  unsigned char* GetHdrPtr() override { return reinterpret_cast<unsigned char*>(m_achHdr); }
  std::uint32_t GetHdrSize() const override { return kSize; }
  ChunkType GetChunkType() const override;
  std::uint16_t GetCurLen() const override;
  std::uint16_t GetPrvLen() const override;
  std::uint16_t GetXorLen() const override;
  std::uint8_t GetFlags1() const override { return 0; }
  std::uint8_t GetFlags2() const override { return 0; }
  /// Three well-formed fields whose check field is current XOR previous.
  bool IsValid() const override;
  bool IsFirstChunk() const override { return true; }
  bool IsMiddleChunk() const override { return false; }
  bool IsLastChunk() const override { return true; }
  bool IsWholeBlock() const override { return true; }
  /// The current-length field reads exactly "0000"; validity is not required.
  bool IsTapemark() const override;
  bool IsCompressed() const override { return false; }
  bool IsHetCompressed() const override { return false; }
  bool IsZlib() const override { return false; }
  bool IsBzip2() const override { return false; }
  bool IsFKT() const override { return true; }

 private:
  const char* PrvField() const { return m_achHdr; }
  const char* CurField() const { return m_achHdr + 4; }
  const char* XorField() const { return m_achHdr + 8; }

  char m_achHdr[kSize];
};

#endif  // TAPE_FKTCHUNKHDR_H_
