// Which files a pattern reaches, with and without /s, and what stops the walk.
#include <gtest/gtest.h>

#include "tests/support/E2eTest.h"

namespace {
using CWalkE2eTest = CE2eTest;
}  // namespace

// The name part of the argument is searched again inside each subdirectory, also when the
// argument has a directory part; a subdirectory whose name does not match is not entered.
TEST_F(CWalkE2eTest, SubdirsRepeatTheNamePartBelowTheDirectoryPart) {
  Put("lib/top.aws", kSound);
  Put("lib/vol1/one.aws", kSound);
  Put("lib/vol1/x/two.aws", kDamaged);
  Put("lib/vol1/x/skip.txt", "text");
  const CToolResult result = Run({"/s", "/v", "./lib/../lib//*"});
  EXPECT_EQ(SortedLines(result.strOut),
            SortedLines(Line("OK ", "lib/top.aws") + Line("OK ", "lib/vol1/one.aws") +
                        Line("!! ", "lib/vol1/x/two.aws") + Line(".. ", "lib/vol1/x/skip.txt")));
  EXPECT_EQ(Run({"/s", "/v", "lib/*.aws"}).strOut, Line("OK ", "lib/top.aws"));
  Put("vol/vol", kSound);  // a directory named as the argument is searched for that name
  EXPECT_EQ(Run({"/v", "vol"}).strOut, "");
  EXPECT_EQ(Run({"/v", "/s", "vol"}).strOut, Line("OK ", "vol/vol"));
}

// A file another program holds is an error line and status -1, and without /k the first error
// anywhere ends the whole run: damaged files found afterwards must not turn it into a count.
TEST_F(CWalkE2eTest, FileInUseEndsTheRunUnlessKeepGoing) {
  for (int i = 0; i < 8; ++i) Put("d" + std::to_string(i) + "/t.aws", kDamaged);
  Put("held/t.aws", kDamaged);
  {
    const CFileHolder holder(m_dir / "held/t.aws");
    CToolResult result = Run({"/v", "held/t.aws"});
    EXPECT_EQ(result.strErr, ErrorLine("opening", "held/t.aws", ERROR_SHARING_VIOLATION));
    EXPECT_EQ(result.strOut, "");
    EXPECT_EQ(result.nStatus, Status(-1));
    EXPECT_EQ(Run({"/s", "/q", "*"}).nStatus, Status(-1));
    for (int i = 0; i < 8; ++i) Put("d" + std::to_string(i) + "/t.aws", kDamaged);
    result = Run({"/s", "/q", "/k", "*"});
    EXPECT_EQ(result.nStatus, 8);
    EXPECT_EQ(result.strErr, ErrorLine("opening", "held/t.aws", ERROR_SHARING_VIOLATION));
  }
  EXPECT_EQ(Bytes("held/t.aws"), kDamaged);
}

// Tapes below a path longer than the system takes in one call are walked into and repaired, and
// the printed path is whole.
TEST_F(CWalkE2eTest, PathsPastTheSystemLimitAreWalkedAndOpened) {
  std::string strRel;
  for (int n = 0; strRel.size() <= SystemPathLimit(); ++n) {
    strRel += std::string(60, static_cast<char>('a' + n % 26)) + "/";
  }
  strRel += "t.aws";
  PutDeep(m_dir.Path(), strRel, kDamaged);
  EXPECT_EQ(Run({"/s", "*"}).strOut, Line("!! ", strRel));
  EXPECT_EQ(Run({"/s", "/v", "*"}).strOut, Line("OK ", strRel));
  RemoveDeep(m_dir.Path(), strRel);
}
