// Which files a pattern reaches, with and without /s, and what stops the walk.
#include <gtest/gtest.h>

#include "tests/support/E2eTest.h"

namespace {
using CWalkE2eTest = CE2eTest;
}  // namespace

// The name part of the argument is searched again inside each subdirectory, also when the
// argument has a directory part; paths print absolute and clean.
TEST_F(CWalkE2eTest, SubdirsWithADirectoryPartFindFilesBelowIt) {
  Put("lib/top.aws", kSound);
  Put("lib/vol1/one.aws", kSound);
  Put("lib/vol1/x/two.aws", kDamaged);
  Put("lib/vol1/x/skip.txt", "text");
  const CToolResult result = Run({"/s", "/v", "./lib/../lib//*"});
  EXPECT_EQ(SortedLines(result.strOut),
            SortedLines(Line("OK ", "lib/top.aws") + Line("OK ", "lib/vol1/one.aws") +
                        Line("!! ", "lib/vol1/x/two.aws") + Line(".. ", "lib/vol1/x/skip.txt")));
  // A pattern only tape names match enters no subdirectory whose name does not match.
  EXPECT_EQ(Run({"/s", "/v", "lib/*.aws"}).strOut, Line("OK ", "lib/top.aws"));
}

TEST_F(CWalkE2eTest, FileArgumentNamingADirectorySearchesItForThatName) {
  Put("vol/vol", kSound);
  Put("vol/other.aws", kSound);
  EXPECT_EQ(Run({"/v", "vol"}).strOut, "");
  EXPECT_EQ(Run({"/v", "/s", "vol"}).strOut, Line("OK ", "vol/vol"));
}

// Another program holding a file: an error line and status -1; /k goes on past it.
TEST_F(CWalkE2eTest, LockedFileIsAnOpeningError) {
  Put("held.aws", kDamaged);
  Put("other.aws", kDamaged);
  {
    CFileHolder holder(m_dir / "held.aws");
    CToolResult result = Run({"/v", "held.aws"});
    EXPECT_EQ(result.strErr, "** ERROR opening file \"" + (m_dir / "held.aws") +
                                 "\": " + FormatLastError(ERROR_SHARING_VIOLATION).GetString() + "\n");
    EXPECT_EQ(result.strOut, "");
    EXPECT_EQ(result.nStatus, Status(-1));

    result = Run({"/k", "*.aws"});
    EXPECT_EQ(result.strOut, Line("!! ", "other.aws"));
    EXPECT_EQ(result.nStatus, 1);
  }
  EXPECT_EQ(ReadFileBytes(m_dir / "held.aws"), kDamaged);
}

// Without /k an error anywhere ends the whole run with -1, whatever the order of entries:
// damaged files found elsewhere afterwards must not turn the error into a count.
TEST_F(CWalkE2eTest, ErrorInASubdirectoryEndsTheWholeRun) {
  for (int i = 0; i < 8; ++i) Put("d" + std::to_string(i) + "/t.aws", kDamaged);
  Put("held/t.aws", kDamaged);
  CFileHolder holder(m_dir / "held/t.aws");
  EXPECT_EQ(Run({"/s", "/q", "*"}).nStatus, Status(-1));
  for (int i = 0; i < 8; ++i) Put("d" + std::to_string(i) + "/t.aws", kDamaged);
  const CToolResult result = Run({"/s", "/q", "/k", "*"});
  EXPECT_EQ(result.nStatus, 8);
  EXPECT_NE(result.strErr.find("** ERROR opening file"), std::string::npos);
}

// Tapes below a path longer than the system takes in one call are walked into and repaired, and
// the printed path is whole.
TEST_F(CWalkE2eTest, PathsPastTheSystemLimitAreWalkedAndOpened) {
  std::string strRel;
  for (int n = 0; strRel.size() <= SystemPathLimit(); ++n)
    strRel += std::string(60, static_cast<char>('a' + n % 26)) + "/";
  strRel += "t.aws";
  PutDeep(m_dir.Path(), strRel, kDamaged);
  EXPECT_EQ(Run({"/s", "*"}).strOut, Line("!! ", strRel));
  EXPECT_EQ(Run({"/s", "/v", "*"}).strOut, Line("OK ", strRel));
  RemoveDeep(m_dir.Path(), strRel);
}
