#include "tape/ChunkInfo.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/support/TapeText.h"

namespace {
std::string RawOf(const CChunkInfo& info) {
  return std::string(reinterpret_cast<const char*>(info.m_pHdr->GetHdrPtr()), info.m_pHdr->GetHdrSize());
}
}  // namespace

// A record holds a header of its own, of the kind it was given, and the list holds copies.
TEST(CChunkInfoTest, RecordsAreDeepCopiesOfTheirKind) {
  const std::string strAws = AwsHeader(100, 0, 0xA0, 0), strFkt = FktHeader(0x50, 0x10);
  CChunkArray list;
  CChunkInfo scratch;
  for (int i = 0; i < 300; ++i) {  // past the first block of records
    scratch.Set(i * 106, i / 2, (i % 2 == 0 ? strAws : strFkt).data(), i % 2 != 0);
    list.Add(scratch);
  }
  scratch.Set(999, 7, strAws.data(), false);
  CChunkInfo assigned;
  assigned = list.GetAt(299);
  ASSERT_EQ(list.GetSize(), 300);
  EXPECT_NE(assigned.m_pHdr.get(), list.GetAt(299).m_pHdr.get());
  for (const int i : {0, 1, 298, 299}) {
    EXPECT_EQ(list.GetAt(i).m_nOffset, i * 106);
    EXPECT_EQ(list.GetAt(i).m_nFileNum, i / 2);
    EXPECT_EQ(list.GetAt(i).m_pHdr->IsFKT(), i % 2 != 0);
    EXPECT_EQ(RawOf(list.GetAt(i)), i % 2 == 0 ? strAws : strFkt);
  }
  EXPECT_EQ(RawOf(assigned), strFkt);
  EXPECT_THROW(list.GetAt(300), std::out_of_range);
  list.RemoveAll();
  EXPECT_EQ(list.GetSize(), 0);
}
