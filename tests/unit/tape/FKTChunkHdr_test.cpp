#include "tape/FKTChunkHdr.h"

#include <gtest/gtest.h>

#include <string>

TEST(CFKTChunkHdrTest, ClassifiesByCheckFieldAndCurrentLength) {
  const struct {
    std::string strHdr;
    ChunkType eType;
    int nCur, nPrv, nXor;
  } cases[] = {
      {"000000000000", CHUNK_TAPEMARK, 0, 0, 0},
      {"001000200030", CHUNK_WHOLE, 0x20, 0x10, 0x30},
      {"001000200031", CHUNK_INVALID, 0x20, 0x10, 0x31},  // check mismatch
      {"001000100000", CHUNK_WHOLE, 0x10, 0x10, 0},       // the check is an exclusive or
      {"0ABC00000ABC", CHUNK_TAPEMARK, 0, 0xABC, 0xABC},
      {"00000000FFFF", CHUNK_INVALID, 0, 0, 0xFFFF},
      {"0000001G0010", CHUNK_INVALID, 0, 0, 0x10},  // a rejected field reads as 0
      {std::string("00000010\0\0\0\0", 12), CHUNK_INVALID, 0x10, 0, 0},
      {"000000ab00ab", CHUNK_WHOLE, 0xAB, 0, 0xAB},  // lower-case digits are hex too
      {"0000 0100010", CHUNK_INVALID, 0, 0, 0x10},   // a blank is no digit
  };
  for (const auto& c : cases) {
    const CFKTChunkHdr hdr(c.strHdr.data());
    EXPECT_EQ(hdr.GetChunkType(), c.eType) << c.strHdr;
    EXPECT_EQ(hdr.IsValid(), c.eType != CHUNK_INVALID) << c.strHdr;
    EXPECT_EQ(hdr.GetCurLen(), c.nCur) << c.strHdr;
    EXPECT_EQ(hdr.GetPrvLen(), c.nPrv) << c.strHdr;
    EXPECT_EQ(hdr.GetXorLen(), c.nXor) << c.strHdr;
    EXPECT_EQ(hdr.IsTapemark(), c.nCur == 0 && c.strHdr.compare(4, 4, "0000") == 0) << c.strHdr;
  }
}

TEST(CFKTChunkHdrTest, FieldsAreFourUpperCaseDigitsAndNoMore) {
  CFKTChunkHdr hdr;
  hdr.Init(0x20, 0x10, 0x12, 0x34);  // the flags play no part
  EXPECT_EQ(std::string(reinterpret_cast<char*>(hdr.GetHdrPtr()), 12), "001000200030");
  hdr.Init(0xABC, 0, 0x40, 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(hdr.GetHdrPtr()), 12), "00000ABC0ABC");
  char ach[6] = {'<', 'x', 'x', 'x', 'x', '>'};
  FormatHexField(ach + 1, 0x1ABCD);  // only the low 16 bits, only four characters
  EXPECT_EQ(std::string(ach, 6), "<ABCD>");
  bool bOk = false;
  EXPECT_EQ(ParseHexField("12345", &bOk), 0x1234);  // the fifth character is a neighbour
  EXPECT_TRUE(bOk);
  EXPECT_EQ(ParseHexField("1\0"
                          "23",
                          &bOk),
            0x1);  // the text ends at the NUL
  EXPECT_TRUE(bOk);
}
