#include "app/Report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "platform/DebugOutput.h"
#include "platform/File.h"
#include "support/FormatLastError.h"
#include "tests/support/Capture.h"
#include "tests/support/RunStateTest.h"

using CReportTest = CRunStateTest;

TEST_F(CReportTest, ProgressPicturesStepThroughTheSpinner) {
  g_bProgress = true;
  CCapture capture;
  SpinFile();  // first picture of a run
  SpinChunk();
  SpinChunk();
  for (int i = 0; i < 3; ++i) SpinFile();  // four files: back at "|"
  EXPECT_EQ(capture.Out(), "/|\r//\r/-\r--\r\\-\r|-\r");
}

TEST_F(CReportTest, CountersWrapPastTheLargestValue) {
  g_bProgress = true;
  g_nFileSpin = 0x7FFFFFFF;
  g_nChunkSpin = -1;
  CCapture capture;
  SpinFile();   // 0x80000000: index 0
  SpinChunk();  // 0: index 0
  SpinChunk();  // 1
  EXPECT_EQ(capture.Out(), "|\\\r||\r|/\r");
  EXPECT_EQ(g_nChunkSpin, 1);
}

TEST_F(CReportTest, NoPicturesWithoutProgressButCountersRun) {
  CCapture capture;
  SpinFile();
  SpinChunk();
  EXPECT_EQ(capture.Out(), "");
  EXPECT_EQ(g_nFileSpin, 1);
  EXPECT_EQ(g_nChunkSpin, 1);
}

TEST_F(CReportTest, DebuggerCopyArrivesBeforeTheStreamWithTheSameText) {
  FILE* pStream = std::tmpfile();
  ASSERT_NE(pStream, nullptr);
  std::vector<std::string> copies;
  std::vector<long> streamSizeAtCopy;
  SetDebugOutputSink([&](const std::string& str) {
    std::fflush(pStream);
    copies.push_back(str);
    streamSizeAtCopy.push_back(std::ftell(pStream));
  });
  const std::string strLong(5000, 'p');
  LogMsg(pStream, "%s%s\n", "!! ", (strLong + "/100%s").c_str());
  const std::string strExpected = "!! " + strLong + "/100%s\n";
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0], strExpected);
  EXPECT_EQ(streamSizeAtCopy[0], 0);
  std::rewind(pStream);
  std::string strWritten(strExpected.size() + 10, '\0');
  strWritten.resize(std::fread(&strWritten[0], 1, strWritten.size(), pStream));
  EXPECT_EQ(strWritten, strExpected);
  std::fclose(pStream);
}

TEST_F(CReportTest, IOErrorSetsMinusOneUnlessKeepGoing) {
  g_strFilePath = "/tapes/50%d.aws";
  for (const bool bKeepGoing : {false, true}) {
    g_bKeepGoing = bKeepGoing;
    g_nExitCode = 3;
    SetLastError(ERROR_SHARING_VIOLATION);
    CCapture capture;
    ReportIOError("opening");
    EXPECT_EQ(capture.Err(), std::string("** ERROR opening file \"/tapes/50%d.aws\": ") +
                                 FormatLastError(ERROR_SHARING_VIOLATION).GetString() + "\n");
    EXPECT_EQ(capture.Out(), "");
    EXPECT_EQ(g_nExitCode, bKeepGoing ? 3 : -1);
    EXPECT_EQ(g_dwLastError, ERROR_SHARING_VIOLATION);
  }
}
