#include "tape/AWSChunkHdr.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>

#include "tests/support/TapeBuilder.h"

namespace {
// The valid (flags1, flags2) pairs, written out row by row as the format documents them.
std::map<std::pair<int, int>, ChunkType> ValidPairs() {
  std::map<std::pair<int, int>, ChunkType> pairs;
  const struct {
    ChunkType eType;
    int aPlain[2];
    int aHet[4];
  } rows[] = {
      {CHUNK_MIDDLE, {0x00, 0x10}, {0x01, 0x02, 0x11, 0x12}},
      {CHUNK_LAST, {0x20, 0x30}, {0x21, 0x22, 0x31, 0x32}},
      {CHUNK_FIRST, {0x80, 0x90}, {0x81, 0x82, 0x91, 0x92}},
      {CHUNK_WHOLE, {0xA0, 0xB0}, {0xA1, 0xA2, 0xB1, 0xB2}},
  };
  for (const auto& row : rows) {
    for (int f1 : row.aPlain) {
      for (int f2 : {0x00, 0x40, 0x80}) pairs[{f1, f2}] = row.eType;
    }
    for (int f1 : row.aHet) pairs[{f1, 0x00}] = row.eType;
  }
  pairs[{0x40, 0x00}] = CHUNK_TAPEMARK;
  return pairs;
}

CAWSChunkHdr FromBytes(const std::string& strBytes) { return CAWSChunkHdr(strBytes.data()); }
}  // namespace

TEST(CAWSChunkHdrTest, EveryFlagPairClassifiesByTheDocumentedTable) {
  const auto valid = ValidPairs();
  ASSERT_EQ(valid.size(), 41u);
  int nValidPairs = 0;
  for (int f1 = 0; f1 < 256; ++f1) {
    for (int f2 = 0; f2 < 256; ++f2) {
      bool bEverValid = false;
      for (const std::uint16_t nLen :
           {std::uint16_t{0}, std::uint16_t{1}, std::uint16_t{0x100}, std::uint16_t{0xFFFF}}) {
        const CAWSChunkHdr hdr =
            FromBytes(AwsHeader(nLen, 0x1234, static_cast<std::uint8_t>(f1), static_cast<std::uint8_t>(f2)));
        ChunkType eExpected = CHUNK_INVALID;
        const auto it = valid.find({f1, f2});
        if (it != valid.end() && (it->second == CHUNK_TAPEMARK) == (nLen == 0)) eExpected = it->second;
        ASSERT_EQ(hdr.GetChunkType(), eExpected) << std::hex << f1 << " " << f2 << " len " << nLen;
        ASSERT_EQ(hdr.IsValid(), eExpected != CHUNK_INVALID);
        ASSERT_EQ(hdr.IsFirstChunk(), eExpected == CHUNK_FIRST);
        ASSERT_EQ(hdr.IsMiddleChunk(), eExpected == CHUNK_MIDDLE);
        ASSERT_EQ(hdr.IsLastChunk(), eExpected == CHUNK_LAST);
        ASSERT_EQ(hdr.IsWholeBlock(), eExpected == CHUNK_WHOLE);
        ASSERT_EQ(hdr.IsTapemark(), eExpected == CHUNK_TAPEMARK);
        bEverValid = bEverValid || hdr.IsValid();
      }
      if (bEverValid) ++nValidPairs;
    }
  }
  EXPECT_EQ(nValidPairs, 41);
}

TEST(CAWSChunkHdrTest, FieldsAreLittleEndianWhateverTheMachine) {
  const CAWSChunkHdr tm = FromBytes(std::string("\x00\x00\x2C\x01\x40\x00", 6));
  EXPECT_EQ(tm.GetChunkType(), CHUNK_TAPEMARK);  // the previous length is not examined
  EXPECT_EQ(tm.GetPrvLen(), 300);
  const CAWSChunkHdr big = FromBytes(std::string("\xFF\xFF\x00\x00\xA0\x00", 6));
  EXPECT_EQ(big.GetChunkType(), CHUNK_WHOLE);
  EXPECT_EQ(big.GetCurLen(), 65535);

  CAWSChunkHdr built;
  built.Init(300, 255, 0xA0, 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(built.GetHdrPtr()), 6),
            std::string("\x2C\x01\xFF\x00\xA0\x00", 6));
  built.Init(0, 0, 0x40, 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(built.GetHdrPtr()), 6), std::string("\0\0\0\0\x40\0", 6));
  EXPECT_EQ(CAWSChunkHdr().GetChunkType(), CHUNK_INVALID);  // six zero bytes
}

TEST(CAWSChunkHdrTest, CompressionBitsAreReadAsTheyStand) {
  const struct {
    std::uint8_t f1, f2;
    bool bCompressed, bHet, bZlib, bBzip2;
  } cases[] = {
      {0xA0, 0x40, true, false, false, false},
      {0xA0, 0x80, true, false, true, false},
      {0xA1, 0x00, true, true, true, false},
      {0xB2, 0x00, true, true, false, true},
      {0xA0, 0x00, false, false, false, false},
      {0x03, 0x00, true, true, true, true},  // malformed, yet both methods answer
  };
  for (const auto& c : cases) {
    const CAWSChunkHdr hdr = FromBytes(AwsHeader(16, 0, c.f1, c.f2));
    EXPECT_EQ(hdr.IsCompressed(), c.bCompressed) << int(c.f1) << " " << int(c.f2);
    EXPECT_EQ(hdr.IsHetCompressed(), c.bHet) << int(c.f1);
    EXPECT_EQ(hdr.IsZlib(), c.bZlib) << int(c.f1);
    EXPECT_EQ(hdr.IsBzip2(), c.bBzip2) << int(c.f1);
  }
}
