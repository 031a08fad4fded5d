// A file that refuses writing is still checked, read-only, and left as it was.
#include <gtest/gtest.h>

#include "tests/support/E2eTest.h"

namespace {
using CAccessE2eTest = CE2eTest;
}  // namespace

// A file that refuses writing is still checked read-only; here the layer refuses the open, as
// no account can be made to refuse it on every system.
TEST_F(CAccessE2eTest, RefusedWriteOpenFallsBackToReadOnly) {
  const std::string strDamaged = CTapeBuilder().Whole(10).Tapemark().Raw("z").Bytes();
  const std::string strPath = Put("ro.aws", strDamaged);
  CToolResult result = RunTool({SeamToolPath(), "--fail-write-open", "/v", "ro.aws"}, m_dir.Path());
  EXPECT_EQ(result.strOut, Line("/r ", "ro.aws"));
  EXPECT_EQ(result.nStatus, 1);
  EXPECT_EQ(ReadFileBytes(strPath), strDamaged);
  result = RunTool({SeamToolPath(), "--fail-write-open", "/r", "/v", "ro.aws"}, m_dir.Path());
  EXPECT_EQ(result.strOut, Line("/r ", "ro.aws"));
}
