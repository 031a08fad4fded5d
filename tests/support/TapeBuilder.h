// Builds tape images from named parts: "a whole block of 100 bytes, a tapemark, 3 stray bytes".
#ifndef TESTS_SUPPORT_TAPEBUILDER_H_
#define TESTS_SUPPORT_TAPEBUILDER_H_

#include <cstdint>
#include <string>

class CTapeBuilder {
 public:
  enum EKind { AWS, FKT };
  explicit CTapeBuilder(EKind eKind = AWS) : m_eKind(eKind) {}

  /// A chunk header with these flags and nLen data bytes; previous length is tracked.
  CTapeBuilder& Chunk(std::uint16_t nLen, std::uint8_t nFlags1, std::uint8_t nFlags2 = 0);
  CTapeBuilder& Whole(std::uint16_t nLen) { return Chunk(nLen, 0xA0); }
  CTapeBuilder& First(std::uint16_t nLen) { return Chunk(nLen, 0x80); }
  CTapeBuilder& Middle(std::uint16_t nLen) { return Chunk(nLen, 0x00); }
  CTapeBuilder& Last(std::uint16_t nLen) { return Chunk(nLen, 0x20); }
  CTapeBuilder& Tapemark() { return Chunk(0, 0x40); }
  /// Anything else: stray bytes, a broken header, data cut short.
  CTapeBuilder& Raw(const std::string& strBytes);

  const std::string& Bytes() const { return m_strBytes; }
  std::size_t Size() const { return m_strBytes.size(); }

 private:
  EKind m_eKind;
  std::uint16_t m_nPrvLen = 0;
  std::string m_strBytes;
};

/// The six AWS header bytes, written out independently of the program's header classes.
std::string AwsHeader(std::uint16_t nCur, std::uint16_t nPrv, std::uint8_t nFlags1, std::uint8_t nFlags2);
/// The twelve FKT header characters, previous length first.
std::string FktHeader(std::uint16_t nCur, std::uint16_t nPrv);

#endif  // TESTS_SUPPORT_TAPEBUILDER_H_
