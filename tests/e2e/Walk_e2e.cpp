// Which files a pattern reaches, with and without /s, and what stops the walk.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>

#include "tests/support/E2eTest.h"

namespace {
std::vector<std::string> SortedLines(const std::string& strText) {
  std::vector<std::string> lines;
  std::istringstream in(strText);
  for (std::string str; std::getline(in, str);) lines.push_back(str + "\n");
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Holds a file the way another program would: open and exclusively locked.
class CLockedFile {
 public:
  explicit CLockedFile(const std::string& strPath) : m_fd(::open(strPath.c_str(), O_RDONLY)) {
    EXPECT_EQ(::flock(m_fd, LOCK_EX), 0);
  }
  ~CLockedFile() { ::close(m_fd); }

 private:
  int m_fd;
};

const std::string kDamaged = CTapeBuilder().Whole(10).Raw("z").Bytes();
const std::string kSound = CTapeBuilder().Whole(10).Tapemark().Bytes();
const std::string kFktSound = CTapeBuilder(CTapeBuilder::FKT).Whole(10).Bytes();

using CWalkE2eTest = CE2eTest;
}  // namespace

// /s with "*" visits the whole tree, hidden files included; FIFOs, links to directories
// (even a loop) and dangling links are passed over without a word.
TEST_F(CWalkE2eTest, SubdirsWithStarVisitsTheTreeAndSkipsSpecialEntries) {
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
  CLockedFile lock(m_dir / "held.aws");
  CToolResult result = Run({"/v", "held.aws"});
  EXPECT_EQ(result.strErr,
            "** ERROR opening file \"" + (m_dir / "held.aws") +
                "\": The process cannot access the file because it is being used by another process.\n");
  EXPECT_EQ(result.strOut, "");
  EXPECT_EQ(result.nStatus, 255);

  Put("other.aws", kDamaged);
  result = Run({"/k", "*.aws"});
  EXPECT_EQ(result.strOut, Line("!! ", "other.aws"));
  EXPECT_EQ(result.nStatus, 1);
  EXPECT_EQ(ReadFileBytes(m_dir / "held.aws"), kDamaged);
}

// Without /k an error anywhere ends the whole run with -1, whatever the order of entries:
// damaged files found elsewhere afterwards must not turn the error into a count.
TEST_F(CWalkE2eTest, ErrorInASubdirectoryEndsTheWholeRun) {
  for (int i = 0; i < 8; ++i) Put("d" + std::to_string(i) + "/t.aws", kDamaged);
  Put("held/t.aws", kDamaged);
  CLockedFile lock(m_dir / "held/t.aws");
  EXPECT_EQ(Run({"/s", "/q", "*"}).nStatus, 255);
  for (int i = 0; i < 8; ++i) Put("d" + std::to_string(i) + "/t.aws", kDamaged);
  const CToolResult result = Run({"/s", "/q", "/k", "*"});
  EXPECT_EQ(result.nStatus, 8);
  EXPECT_NE(result.strErr.find("** ERROR opening file"), std::string::npos);
}
