// The walk among entries that only POSIX systems have: FIFOs and symbolic links.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/E2eTest.h"

namespace {
const std::string kFktSound = CTapeBuilder(CTapeBuilder::FKT).Whole(10).Bytes();

using CWalkPosixE2eTest = CE2eTest;
}  // namespace

// /s with "*" visits the whole tree, hidden files included; FIFOs, links to directories
// (even a loop) and dangling links are passed over without a word.
TEST_F(CWalkPosixE2eTest, SubdirsWithStarVisitsTheTreeAndSkipsSpecialEntries) {
  Put("a.aws", kDamaged);
  Put(".hidden.aws", kSound);
  Put("sub/b.het", kDamaged);
  Put("sub/deeper/c.fkt", kFktSound);
  ASSERT_EQ(::mkfifo((m_dir / "sub/pipe").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("..", (m_dir / "sub/loop").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", (m_dir / "dangling").c_str()), 0);
  ASSERT_EQ(::symlink("sub/b.het", (m_dir / "link.het").c_str()), 0);

  CToolResult result = Run({"/r", "/v", "/s", "*"});
  EXPECT_EQ(SortedLines(result.strOut),
            SortedLines(Line("/r ", "a.aws") + Line("OK ", ".hidden.aws") + Line("/r ", "sub/b.het") +
                        Line("OK ", "sub/deeper/c.fkt") + Line("/r ", "link.het")));
  EXPECT_EQ(result.nStatus, 3);

  result = Run({"/r", "/v", "*"});  // without /s: this directory only
  EXPECT_EQ(SortedLines(result.strOut),
            SortedLines(Line("/r ", "a.aws") + Line("OK ", ".hidden.aws") + Line("/r ", "link.het")));
}
