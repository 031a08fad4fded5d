// The check's failure paths, provoked with the platform's fault switches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Check.h"
#include "app/Globals.h"
#include "support/FormatLastError.h"
#include "tests/support/Capture.h"
#include "tests/support/RunStateTest.h"
#include "tests/support/TapeBuilder.h"
#include "tests/support/TempDir.h"

namespace {
class CCheckTest : public CRunStateTest {
 protected:
  // Runs one check on strBytes and returns what it answered.
  bool Check(const std::string& strBytes) {
    g_strFilePath = (m_dir / "t.aws").c_str();
    WriteFileBytes(g_strFilePath.GetString(), strBytes);
    CCapture capture;
    const bool bResult = CheckTapeFile();
    m_strOut = capture.Out();
    m_strErr = capture.Err();
    m_strAfter = ReadFileBytes(g_strFilePath.GetString());
    return bResult;
  }
  std::string ErrorLine(const char* pszVerb, DWORD dwCode) const {
    return std::string("** ERROR ") + pszVerb + " file \"" + g_strFilePath.GetString() + "\": " +
           FormatLastError(dwCode).GetString() + "\n";
  }
  CTempDir m_dir;
  std::string m_strOut, m_strErr, m_strAfter;
};

const std::string kCutAfterWhole = CTapeBuilder().Whole(100).First(50).Raw("xy").Bytes();
const std::string kRewriteAsMark = CTapeBuilder().First(50).Raw(std::string(6, '\0')).Bytes();
}  // namespace

TEST_F(CCheckTest, FailedRepairIsCountedAndReportedNotPrintedAsFixed) {
  const struct {
    bool CPlatformFaults::*pSwitch;
    const std::string* pTape;
    DWORD dwCode;
  } cases[] = {
      {&CPlatformFaults::bFailSetEnd, &kCutAfterWhole, ERROR_ACCESS_DENIED},
      {&CPlatformFaults::bFailWrite, &kRewriteAsMark, ERROR_DISK_FULL},
  };
  for (const bool bKeepGoing : {false, true}) {
    for (const auto& c : cases) {
      ResetRunState();
      PlatformFaults() = CPlatformFaults{};
      PlatformFaults().*c.pSwitch = true;
      g_bKeepGoing = bKeepGoing;
      EXPECT_FALSE(Check(*c.pTape)) << c.dwCode;
      EXPECT_EQ(m_strOut, "") << c.dwCode;
      EXPECT_EQ(m_strErr, ErrorLine("writing", c.dwCode));
      EXPECT_EQ(g_nExitCode, bKeepGoing ? 1 : -1) << c.dwCode;
      EXPECT_EQ(g_hFile, 0u);
      EXPECT_EQ(g_ChunkArray.GetSize(), 0);
    }
  }
}

TEST_F(CCheckTest, RepairReportsAFailedSeekAndLeavesTheFile) {
  const std::string strPath = m_dir / "t.aws";
  WriteFileBytes(strPath, kCutAfterWhole);
  g_dwAccess = GENERIC_READ | GENERIC_WRITE;
  g_hFile = CreateFileA(strPath.c_str(), g_dwAccess, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
  ASSERT_NE(g_hFile, INVALID_HANDLE_VALUE);
  CChunkInfo whole;
  whole.Set(0, 0, AwsHeader(100, 0, 0xA0, 0).data(), false);
  g_ChunkArray.Add(whole);
  PlatformFaults().bFailSeek = true;
  EXPECT_FALSE(RepairTapeFile());
  EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
  CloseTapeFile();
  EXPECT_EQ(ReadFileBytes(strPath), kCutAfterWhole);
}

TEST_F(CCheckTest, ReadErrorDuringTheWalkChangesNothing) {
  PlatformFaults().bFailRead = true;
  PlatformFaults().nReadsBeforeFailure = 2;  // the probe and the first header read succeed
  EXPECT_FALSE(Check(kCutAfterWhole));
  EXPECT_EQ(m_strErr, ErrorLine("reading", ERROR_IO_DEVICE));
  EXPECT_EQ(m_strOut, "");
  EXPECT_EQ(m_strAfter, kCutAfterWhole);
  EXPECT_EQ(g_nExitCode, -1);
  EXPECT_EQ(g_hFile, 0u);
  EXPECT_EQ(g_ChunkArray.GetSize(), 0);
}

TEST_F(CCheckTest, FileThatIsNoTapeIsClosedAtOnce) {
  g_bVerbose = true;
  EXPECT_TRUE(Check("plain text, no tape"));
  EXPECT_EQ(m_strOut, std::string(".. ") + g_strFilePath.GetString() + "\n");
  EXPECT_EQ(g_hFile, 0u);
}

// What the walk records is what the repair decides by: each header's offset and tape file number
// (tapemarks before it; a tapemark carries the number of the file it ends).
TEST_F(CCheckTest, RecordsCarryOffsetsAndTapeFileNumbers) {
  struct CSeen {
    std::int64_t nOffset;
    std::int32_t nFileNum;
    ChunkType eType;
    bool operator==(const CSeen& o) const { return nOffset == o.nOffset && nFileNum == o.nFileNum && eType == o.eType; }
  };
  std::vector<CSeen> seen;
  PlatformFaults().onSetEndOfFile = [&seen] {
    for (int i = 0; i < g_ChunkArray.GetSize(); ++i) {
      const CChunkInfo& info = g_ChunkArray.GetAt(i);
      seen.push_back({info.m_nOffset, info.m_nFileNum, info.m_pHdr->GetChunkType()});
    }
  };
  const CTapeBuilder tape = CTapeBuilder().Whole(100).Tapemark().Whole(10).Tapemark().First(20).Last(5);
  EXPECT_TRUE(Check(CTapeBuilder(tape).Raw("x").Bytes()));
  EXPECT_EQ(m_strAfter, tape.Bytes());
  const std::vector<CSeen> expected = {{0, 0, CHUNK_WHOLE},  {106, 0, CHUNK_TAPEMARK}, {112, 1, CHUNK_WHOLE},
                                       {128, 1, CHUNK_TAPEMARK}, {134, 2, CHUNK_FIRST}, {160, 2, CHUNK_LAST}};
  EXPECT_TRUE(seen == expected);
}
