// What only Windows has: file attributes, drive letters and backslashes in printed paths.
#include <gtest/gtest.h>

#include "tests/support/E2eTest.h"

namespace {
using CWalkWindowsE2eTest = CE2eTest;
}  // namespace

// A system file is never handed to the check, not even named under /v; a hidden one is.
TEST_F(CWalkWindowsE2eTest, SystemFilesAreSkippedHiddenFilesChecked) {
  Put("sys.aws", kDamaged);
  Put("hidden.aws", kDamaged);
  Put("plain.aws", kSound);
  if (!SetSystemAttribute(m_dir / "sys.aws") || !SetHiddenAttribute(m_dir / "hidden.aws")) {
    GTEST_SKIP() << "the file system keeps no attributes here";
  }
  const CToolResult result = Run({"/r", "/v", "*"});
  EXPECT_EQ(SortedLines(result.strOut), SortedLines(Line("/r ", "hidden.aws") + Line("OK ", "plain.aws")));
  EXPECT_EQ(result.nStatus, 1);
}

TEST_F(CWalkWindowsE2eTest, PathsAreAbsoluteWithADriveAndBackslashes) {
  Put("sub/t.aws", kSound);
  const CToolResult result = Run({"/v", "/s", "*"});
  ASSERT_EQ(result.strOut, Line("OK ", "sub/t.aws"));
  EXPECT_EQ(result.strOut.substr(4, 2), ":\\");
  EXPECT_EQ(result.strOut.find('/'), std::string::npos);
  EXPECT_EQ(Run({"/x"}).nStatus, -1);  // 32-bit exit statuses keep -1 as it is
}
