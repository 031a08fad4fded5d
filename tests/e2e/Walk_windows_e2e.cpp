// What only Windows has: file attributes, the system's wildcard rules, drive letters and
// backslashes in printed paths.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/E2eTest.h"

namespace {
using CWalkWindowsE2eTest = CE2eTest;
}  // namespace

// A system file is never handed to the check, not even named under /v; a hidden one is, and a
// read-only one is checked read-only; a directory with the system attribute is still entered.
TEST_F(CWalkWindowsE2eTest, AttributesDecideWhatIsCheckedAndHow) {
  Put("sys.aws", kDamaged);
  Put("hidden.aws", kDamaged);
  Put("sysdir/plain.aws", kSound);
  if (!AddAttribute(m_dir / "sys.aws", 'S') || !AddAttribute(m_dir / "hidden.aws", 'H') ||
      !AddAttribute(m_dir / "sysdir", 'S')) {
    GTEST_SKIP() << "the file system keeps no attributes here";
  }
  CToolResult result = Run({"/r", "/v", "/s", "*"});
  EXPECT_EQ(SortedLines(result.strOut),
            SortedLines(Line("/r ", "hidden.aws") + Line("OK ", "sysdir/plain.aws")));
  EXPECT_EQ(result.nStatus, 1);
  EXPECT_EQ(Run({"/v", "sys.aws"}).strOut, "");

  Put("ro.aws", kDamaged);
  ASSERT_TRUE(AddAttribute(m_dir / "ro.aws", 'R'));
  std::FILE* pFile = std::fopen((m_dir / "ro.aws").c_str(), "r+b");
  if (pFile != nullptr) {
    std::fclose(pFile);
    GTEST_SKIP() << "this system lets a read-only file be opened for writing (Wine as root)";
  }
  EXPECT_EQ(Run({"/v", "ro.aws"}).strOut, Line("/r ", "ro.aws"));
  EXPECT_EQ(Bytes("ro.aws"), kDamaged);
}

// The system's own wildcard rules: letter case does not count, "?" is one character, "*.*"
// also matches names without a dot, and the directory part is searched as typed.
TEST_F(CWalkWindowsE2eTest, WildcardsFollowTheSystemsRules) {
  Put("x.aws", kDamaged);
  Put("sub/y.aws", kSound);
  Put("noext", kSound);
  EXPECT_EQ(Run({"/r", "*.AWS"}).strOut, Line("/r ", "x.aws"));
  EXPECT_EQ(Run({"/r", "/v", "?.aws"}).strOut, Line("/r ", "x.aws"));
  EXPECT_EQ(Run({"/v", "SUB\\*.aws"}).strOut, "OK " + m_dir.Path() + "\\SUB\\y.aws\n");
  EXPECT_EQ(SortedLines(Run({"/r", "/v", "*.*"}).strOut),
            SortedLines(Line("/r ", "x.aws") + Line("OK ", "noext")));
}

TEST_F(CWalkWindowsE2eTest, PathsAreAbsoluteWithADriveAndBackslashes) {
  Put("sub/t.aws", kSound);
  const CToolResult result = Run({"/v", "/s", "*"});
  ASSERT_EQ(result.strOut, Line("OK ", "sub/t.aws"));
  EXPECT_EQ(result.strOut.substr(4, 2), ":\\");
  EXPECT_EQ(Run({"/x"}).nStatus, -1);  // 32-bit exit statuses keep -1 as it is
}
