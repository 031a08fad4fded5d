// The check's failure paths, provoked with fault-injecting system calls.
#include "app/Check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/Repair.h"
#include "platform/File.h"
#include "support/FormatLastError.h"
#include "tests/support/Capture.h"
#include "tests/support/FaultSystemCalls.h"
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
    return std::string("** ERROR ") + pszVerb + " file \"" + g_strFilePath.GetString() +
           "\": " + FormatLastError(dwCode).GetString() + "\n";
  }
  CTempDir m_dir;
  CFaultSystemCalls m_faults;
  std::string m_strOut, m_strErr, m_strAfter;
};

const std::string kCutAfterWhole = CTapeBuilder().Whole(100).First(50).Raw("xy").Bytes();
const std::string kRewriteAsMark = CTapeBuilder().First(50).Raw(std::string(6, '\0')).Bytes();
}  // namespace

TEST_F(CCheckTest, FailedRepairIsCountedAndReportedNotPrintedAsFixed) {
  const struct {
    bool CFaultSystemCalls::*pSwitch;
    const std::string* pTape;
    DWORD dwCode;
  } cases[] = {
      {&CFaultSystemCalls::bFailTruncate, &kCutAfterWhole, ERROR_ACCESS_DENIED},
      {&CFaultSystemCalls::bFailWrite, &kRewriteAsMark, ERROR_DISK_FULL},
  };
  for (const bool bKeepGoing : {false, true}) {
    for (const auto& c : cases) {
      ResetRunState();
      m_faults.bFailTruncate = m_faults.bFailWrite = false;
      m_faults.*c.pSwitch = true;
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

TEST_F(CCheckTest, ReadErrorDuringTheWalkChangesNothing) {
  CTapeBuilder tape;
  for (int i = 0; i < 10; ++i) tape.Whole(10000);  // more than the first read-ahead holds
  const std::string strTape = tape.Raw("xy").Bytes();
  m_faults.nReadsBeforeFailure = 1;  // the probe's read succeeds
  EXPECT_FALSE(Check(strTape));
  EXPECT_EQ(m_strErr, ErrorLine("reading", ERROR_IO_DEVICE));
  EXPECT_EQ(m_strOut, "");
  EXPECT_EQ(m_strAfter, strTape);
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
    bool operator==(const CSeen& o) const {
      return nOffset == o.nOffset && nFileNum == o.nFileNum && eType == o.eType;
    }
  };
  std::vector<CSeen> seen;
  m_faults.onTruncate = [&seen] {
    for (int i = 0; i < g_ChunkArray.GetSize(); ++i) {
      const CChunkInfo& info = g_ChunkArray.GetAt(i);
      seen.push_back({info.m_nOffset, info.m_nFileNum, info.m_pHdr->GetChunkType()});
    }
  };
  const CTapeBuilder tape = CTapeBuilder().Whole(100).Tapemark().Whole(10).Tapemark().First(20).Last(5);
  EXPECT_TRUE(Check(CTapeBuilder(tape).Raw("x").Bytes()));
  EXPECT_EQ(m_strAfter, tape.Bytes());
  const std::vector<CSeen> expected = {{0, 0, CHUNK_WHOLE},   {106, 0, CHUNK_TAPEMARK},
                                       {112, 1, CHUNK_WHOLE}, {128, 1, CHUNK_TAPEMARK},
                                       {134, 2, CHUNK_FIRST}, {160, 2, CHUNK_LAST}};
  EXPECT_TRUE(seen == expected);
}
