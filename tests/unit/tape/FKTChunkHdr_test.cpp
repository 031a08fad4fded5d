#include "tape/FKTChunkHdr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
CFKTChunkHdr FromText(const std::string& str) { return CFKTChunkHdr(str.data()); }
std::string Text(CFKTChunkHdr& hdr) { return std::string(reinterpret_cast<char*>(hdr.GetHdrPtr()), 12); }
}  // namespace

TEST(CFKTChunkHdrTest, ClassifiesByCheckFieldAndCurrentLength) {
  const struct {
    std::string strHdr;
    ChunkType eType;
    int nCur, nPrv, nXor;
    bool bTapemark;
  } cases[] = {
      {"000000000000", CHUNK_TAPEMARK, 0, 0, 0, true},
      {"000000100010", CHUNK_WHOLE, 0x10, 0, 0x10, false},
      {"001000200030", CHUNK_WHOLE, 0x20, 0x10, 0x30, false},
      {"001000200031", CHUNK_INVALID, 0x20, 0x10, 0x31, false},  // check mismatch
      {"0ABC00000ABC", CHUNK_TAPEMARK, 0, 0xABC, 0xABC, true},
      {"00000000FFFF", CHUNK_INVALID, 0, 0, 0xFFFF, true},  // tapemark looks only at "0000"
      {"0000001G0010", CHUNK_INVALID, 0, 0, 0x10, false},   // rejected field reads as 0
      {std::string("00000010\0\0\0\0", 12), CHUNK_INVALID, 0x10, 0, 0, false},
      {"000000ab00ab", CHUNK_WHOLE, 0xAB, 0, 0xAB, false},  // lower-case digits are hex too
      {"0000 0100010", CHUNK_INVALID, 0, 0, 0x10, false},   // a blank is no digit
      {"0000-0010010", CHUNK_INVALID, 0, 0, 0x10, false},
  };
  for (const auto& c : cases) {
    const CFKTChunkHdr hdr = FromText(c.strHdr.substr(0, 12));
    EXPECT_EQ(hdr.GetChunkType(), c.eType) << c.strHdr;
    EXPECT_EQ(hdr.IsValid(), c.eType != CHUNK_INVALID) << c.strHdr;
    EXPECT_EQ(hdr.GetCurLen(), c.nCur) << c.strHdr;
    EXPECT_EQ(hdr.GetPrvLen(), c.nPrv) << c.strHdr;
    EXPECT_EQ(hdr.GetXorLen(), c.nXor) << c.strHdr;
    EXPECT_EQ(hdr.IsTapemark(), c.bTapemark) << c.strHdr;
    // Constant answers, valid or not.
    EXPECT_TRUE(hdr.IsFirstChunk() && hdr.IsLastChunk() && hdr.IsWholeBlock());
    EXPECT_FALSE(hdr.IsMiddleChunk() || hdr.IsCompressed() || hdr.IsZlib() || hdr.IsBzip2());
  }
}

TEST(CFKTChunkHdrTest, InitWritesUpperCaseFieldsIgnoringFlags) {
  CFKTChunkHdr hdr;
  hdr.Init(0xABC, 0, 0xA0, 0x80);
  EXPECT_EQ(Text(hdr), "00000ABC0ABC");
  hdr.Init(0x20, 0x10, 0x12, 0x34);
  EXPECT_EQ(Text(hdr), "001000200030");
  hdr.Init(0, 0, 0x40, 0);
  EXPECT_EQ(Text(hdr), "000000000000");
  EXPECT_EQ(hdr.GetChunkType(), CHUNK_TAPEMARK);
}

TEST(CFKTChunkHdrTest, FormatHexFieldTouchesOnlyItsFourCharacters) {
  char ach[6] = {'<', 'x', 'x', 'x', 'x', '>'};
  FormatHexField(ach + 1, 0x1ABCD);  // only the low 16 bits
  EXPECT_EQ(std::string(ach, 6), "<ABCD>");
}

TEST(CFKTChunkHdrTest, ParseHexFieldStopsAtTheFourthCharacter) {
  bool bOk = false;
  EXPECT_EQ(ParseHexField("12345", &bOk), 0x1234);  // the fifth character is a neighbour
  EXPECT_TRUE(bOk);
  EXPECT_EQ(ParseHexField("1\0"
                          "23",
                          &bOk),
            0x1);  // text ends at the NUL
  EXPECT_TRUE(bOk);
  EXPECT_EQ(ParseHexField("\0"
                          "123",
                          &bOk),
            0);
  EXPECT_FALSE(bOk);
}
