#include "app/Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Globals.h"
#include "tests/support/Capture.h"
#include "tests/support/RunStateTest.h"

namespace {
class COptionsTest : public CRunStateTest {
 protected:
  int Parse(std::vector<std::string> args) {
    args.insert(args.begin(), "Brendix32");
    std::vector<char*> argv;
    for (auto& str : args) argv.push_back(&str[0]);
    CCapture capture;
    const int nResult = ParseArgs(static_cast<int>(argv.size()), argv.data());
    m_strErr = capture.Err();
    EXPECT_EQ(capture.Out(), "");  // the parser never writes to standard output
    return nResult;
  }
  std::string m_strErr;
};
}  // namespace

TEST_F(COptionsTest, LastOutputModeDecidesAllThreeFlags) {
  const struct {
    std::vector<std::string> args;
    bool bVerbose, bQuiet, bProgress;
  } cases[] = {
      {{"/v", "/p", "f"}, false, true, true},
      {{"/p", "/v", "f"}, true, false, false},
      {{"/p", "/q", "f"}, false, true, false},
      {{"-Q", "-V", "f"}, true, false, false},
      {{"f"}, false, false, false},
  };
  for (const auto& c : cases) {
    ResetRunState();
    ASSERT_EQ(Parse(c.args), 0);
    EXPECT_EQ(g_bVerbose, c.bVerbose) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(g_bQuiet, c.bQuiet) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(g_bProgress, c.bProgress) << c.args[0] << " " << c.args[1];
  }
}
