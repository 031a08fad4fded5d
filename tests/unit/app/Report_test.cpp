#include "app/Report.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <io.h>
#define dup _dup
#define dup2 _dup2
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "platform/DebugOutput.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPlatform.h"

namespace {
// What the calls write to standard output while it goes to a file.
template <class Calls>
std::string StandardOutputOf(Calls calls) {
  CTempDir dir;
  std::fflush(stdout);
  const int nSaved = ::dup(1);
  std::FILE* pFile = std::fopen((dir / "out").c_str(), "wb");
  ::dup2(::fileno(pFile), 1);
  calls();
  std::fflush(stdout);
  ::dup2(nSaved, 1);
  std::fclose(pFile);
  return WithPlainLineEnds(ReadFileBytes(dir / "out"));
}
}  // namespace

// The pictures step through "|/-\" from the counters' two lowest bits, past 2^31 too.
TEST(ReportTest, ProgressPicturesStepThroughTheSpinner) {
  ResetRunState();
  g_bProgress = true;
  EXPECT_EQ(StandardOutputOf([] {
              SpinFile();
              SpinChunk();
              SpinChunk();
              for (int i = 0; i < 3; ++i) SpinFile();
              g_nFileSpin = 0x7FFFFFFF;
              g_nChunkSpin = -1;
              SpinFile();
              SpinChunk();
            }),
            "/|\r//\r/-\r--\r\\-\r|-\r|\\\r||\r");
  g_bProgress = false;
  EXPECT_EQ(StandardOutputOf([] { SpinChunk(); }), "");
  EXPECT_EQ(g_nChunkSpin, 1);  // the counters run without the pictures too
  ResetRunState();
}

TEST(ReportTest, DebuggerCopyArrivesBeforeTheStreamWithTheSameText) {
  std::FILE* pStream = std::tmpfile();
  ASSERT_NE(pStream, nullptr);
  std::vector<std::string> copies;
  long nStreamAtCopy = -1;
  SetDebugOutputSink([&](const std::string& str) {
    std::fflush(pStream);
    copies.push_back(str);
    nStreamAtCopy = std::ftell(pStream);
  });
  const std::string strLong(5000, 'p');
  LogMsg(pStream, "%s%s\n", "!! ", (strLong + "/100%s").c_str());
  SetDebugOutputSink(nullptr);
  const std::string strExpected = "!! " + strLong + "/100%s\n";
  EXPECT_EQ(copies, std::vector<std::string>{strExpected});
  EXPECT_EQ(nStreamAtCopy, 0);
  std::rewind(pStream);
  std::string strWritten(strExpected.size() + 10, '\0');
  strWritten.resize(std::fread(&strWritten[0], 1, strWritten.size(), pStream));
  EXPECT_EQ(strWritten, strExpected);
  std::fclose(pStream);
}
