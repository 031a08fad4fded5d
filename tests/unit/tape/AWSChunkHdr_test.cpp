#include "tape/AWSChunkHdr.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "tests/support/TapeText.h"

namespace {
// The valid (flags1, flags2) pairs, written out row by row: a compression mark in flags1 (HET)
// goes with flags2 0; one in flags2 goes with the plain flags1 values; 0x10 plays no part.
std::map<std::pair<int, int>, ChunkType> ValidPairs() {
  std::map<std::pair<int, int>, ChunkType> pairs{{{0x40, 0x00}, CHUNK_TAPEMARK}};
  for (const auto& [eType, nPlain] :
       {std::pair{CHUNK_MIDDLE, 0x00}, {CHUNK_LAST, 0x20}, {CHUNK_FIRST, 0x80}, {CHUNK_WHOLE, 0xA0}}) {
    for (int f1 : {nPlain, nPlain | 0x10}) {  // 0x10 plays no part
      for (int f2 : {0x00, 0x40, 0x80}) pairs[{f1, f2}] = eType;
      for (int nHet : {0x01, 0x02}) pairs[{f1 | nHet, 0x00}] = eType;
    }
  }
  return pairs;
}
}  // namespace

TEST(CAWSChunkHdrTest, EveryFlagPairAndLengthClassifiesByTheTable) {
  const auto valid = ValidPairs();
  ASSERT_EQ(valid.size(), 41u);
  for (int f1 = 0; f1 < 256; ++f1) {
    for (int f2 = 0; f2 < 256; ++f2) {
      for (const int nLen : {0, 1, 0x100, 0xFFFF}) {
        const std::string strRaw = AwsHeader(static_cast<std::uint16_t>(nLen), 0x1234,
                                             static_cast<std::uint8_t>(f1), static_cast<std::uint8_t>(f2));
        const CAWSChunkHdr hdr(strRaw.data());
        const auto it = valid.find({f1, f2});
        const ChunkType eExpected =
            it != valid.end() && (it->second == CHUNK_TAPEMARK) == (nLen == 0) ? it->second : CHUNK_INVALID;
        ASSERT_EQ(hdr.GetChunkType(), eExpected) << std::hex << f1 << " " << f2 << " len " << nLen;
        ASSERT_EQ(hdr.IsValid(), eExpected != CHUNK_INVALID);
        ASSERT_EQ(hdr.IsTapemark(), eExpected == CHUNK_TAPEMARK);
      }
    }
  }
}
