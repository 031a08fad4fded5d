#include "tape/FKTChunkHdr.h"

#include <gtest/gtest.h>

#include <string>

// How headers classify is told by the end-to-end cases of FKT tapes.
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
