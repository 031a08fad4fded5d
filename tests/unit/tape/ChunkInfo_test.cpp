#include "tape/ChunkInfo.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "tape/AWSChunkHdr.h"
#include "tape/FKTChunkHdr.h"
#include "tests/support/TapeBuilder.h"

namespace {
std::string RawOf(const CChunkInfo& info) {
  return std::string(reinterpret_cast<const char*>(info.m_pHdr->GetHdrPtr()), info.m_pHdr->GetHdrSize());
}
const std::string kAwsWhole = AwsHeader(100, 0, 0xA0, 0);
const std::string kAwsBroken = AwsHeader(0, 0, 0xA0, 0x3F);
const std::string kFktWhole = FktHeader(0x50, 0x10);
const std::string kFktBroken = "0000001G0010";
}  // namespace

TEST(CChunkHdrTest, CopiesKeepKindAndRawBytesValidOrNot) {
  for (const auto& [bFKT, strRaw] : {std::pair{false, kAwsWhole}, std::pair{false, kAwsBroken},
                                     std::pair{true, kFktWhole}, std::pair{true, kFktBroken}}) {
    // Deleting through the interface must destroy the whole object (the sanitizer build checks).
    std::unique_ptr<CChunkHdr> pSource = MakeChunkHdr(bFKT, strRaw.data());
    std::unique_ptr<CChunkHdr> pCopy = MakeChunkHdr(pSource->IsFKT(), pSource->GetHdrPtr());
    EXPECT_EQ(pCopy->IsFKT(), bFKT);
    EXPECT_EQ(pCopy->GetHdrSize(), bFKT ? 12u : 6u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(pCopy->GetHdrPtr()), pCopy->GetHdrSize()), strRaw);
    EXPECT_EQ(pCopy->IsValid(), pSource->IsValid());
    // Built from raw bytes answers like a default header after Load.
    std::unique_ptr<CChunkHdr> pLoaded = MakeChunkHdr(bFKT);
    pLoaded->Load(strRaw.data());
    EXPECT_EQ(pLoaded->GetChunkType(), pSource->GetChunkType());
    EXPECT_EQ(pLoaded->GetCurLen(), pSource->GetCurLen());
  }
}

TEST(CChunkInfoTest, AppendedRecordIsIndependentOfTheCallersRecord) {
  CChunkArray list;
  {
    CChunkInfo scratch;
    scratch.Set(106, 2, kAwsWhole.data(), false);
    list.Add(scratch);
    scratch.Set(999, 7, kFktWhole.data(), true);
    CChunkInfo assigned;
    assigned = scratch;
    EXPECT_NE(assigned.m_pHdr.get(), scratch.m_pHdr.get());
    EXPECT_EQ(RawOf(assigned), kFktWhole);
  }
  ASSERT_EQ(list.GetSize(), 1);
  EXPECT_EQ(list.GetAt(0).m_nOffset, 106);
  EXPECT_EQ(list.GetAt(0).m_nFileNum, 2);
  EXPECT_FALSE(list.GetAt(0).m_pHdr->IsFKT());
  EXPECT_EQ(RawOf(list.GetAt(0)), kAwsWhole);
}

TEST(CChunkInfoTest, SetTwiceLeavesOneHeaderOfTheSecondKind) {
  CChunkInfo info;
  info.Set(0, 0, kAwsWhole.data(), false);
  info.Set(12, 1, kFktWhole.data(), true);
  EXPECT_TRUE(info.m_pHdr->IsFKT());
  EXPECT_EQ(RawOf(info), kFktWhole);
  EXPECT_EQ(info.m_nOffset, 12);
  info.Set(24, 2, kFktBroken.data(), true);  // same kind again: the bytes are replaced
  EXPECT_EQ(RawOf(info), kFktBroken);
  info.Set(30, 2, kAwsBroken.data(), false);
  EXPECT_FALSE(info.m_pHdr->IsFKT());
  EXPECT_EQ(RawOf(info), kAwsBroken);
}

TEST(CChunkArrayTest, RemovingTheLastOfThreeKeepsTheFirstTwoInOrder) {
  CChunkArray list;
  CChunkInfo scratch;
  for (int i = 0; i < 3; ++i) {
    scratch.Set(i * 106, 0, AwsHeader(static_cast<std::uint16_t>(100 + i), 0, 0xA0, 0).data(), false);
    list.Add(scratch);
  }
  list.RemoveAt(2);
  ASSERT_EQ(list.GetSize(), 2);
  EXPECT_EQ(list.GetAt(0).m_pHdr->GetCurLen(), 100);
  EXPECT_EQ(list.GetAt(1).m_pHdr->GetCurLen(), 101);
  EXPECT_EQ(list.GetAt(1).m_nOffset, 106);
  EXPECT_THROW(list.GetAt(2), std::out_of_range);
  EXPECT_THROW(list.RemoveAt(-1), std::out_of_range);
  list.RemoveAll();
  list.RemoveAll();  // emptying an empty list is harmless
  EXPECT_EQ(list.GetSize(), 0);
}
