// What the POSIX layer decides for itself: wildcards, paths, exit statuses, what an open takes.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/ExitStatus.h"
#include "platform/File.h"
#include "platform/posix/PathRules.h"
#include "tests/support/TempDir.h"

TEST(PathRulesTest, WildcardsAreStarAndQuestionMarkOnly) {
  const struct {
    const char *pszPattern, *pszName;
    bool bMatch;
  } cases[] = {
      {"*", ".hidden", true},
      {"*.aws", "a.aws", true},
      {"*.aws", "a.AWS", false},
      {"?.het", "ab.het", false},
      {"a?c", "abc", true},
      {"[ab]", "a", false},
      {"*a*b*c", "xaybzc", true},
      {"*a*b*c", "xaybz", false},
      {"**x", "x", true},
      {"a*", "a", true},
      // "?" is one character of a UTF-8 name, one byte of any other name.
      {"?.aws", "\xC3\xA9.aws", true},
      {"??.aws", "\xC3\xA9.aws", false},
      {"?.aws", "\xE9.aws", true},
      {"*?x", "\xC3\xA9x", true},
      {"*\xA9x", "\xC3\xA9x", false},
      {"??.aws", "\xC3.aws", false},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesWildcard(c.pszPattern, c.pszName), c.bMatch) << c.pszPattern;
}

TEST(PathRulesTest, PathsBecomeAbsoluteAndClean) {
  EXPECT_EQ(NormalizeAbsolute("a//b/./c/../", "/home/u"), "/home/u/a/b");
  EXPECT_EQ(NormalizeAbsolute("../../../..", "/home/u"), "/");
  EXPECT_EQ(NormalizeAbsolute("/x/y/", "/home/u"), "/x/y");
  // ".." after a link leaves where the link leads; other ".." stay lexical.
  const LinkResolver resolve = [](const std::string& strPath) {
    return strPath == "/home/u/L" ? "/r/inner" : "";
  };
  EXPECT_EQ(NormalizeAbsolute("L/x/../../t.aws", "/home/u", resolve), "/r/t.aws");
  EXPECT_EQ(NormalizeAbsolute("a/../t.aws", "/home/u", resolve), "/home/u/t.aws");
}

TEST(ExitStatusTest, NeverWrapsToSuccessOrError) {
  for (const auto& [nResult, nStatus] :
       {std::pair{-1, 255}, {0, 0}, {254, 254}, {255, 254}, {0x7FFFFFFF, 254}}) {
    EXPECT_EQ(ToProcessExitStatus(nResult), nStatus) << nResult;
  }
}

// An entry listed as a file is opened only if it still is one: a link that took its place is not
// followed. (Links listed as links, and FIFOs, are the end-to-end cases' part.)
TEST(FileTest, OpenWithoutFollowingRefusesALink) {
  CTempDir dir;
  WriteFileBytes(dir / "f", "data");
  ASSERT_EQ(::symlink("f", (dir / "link").c_str()), 0);
  EXPECT_EQ(CreateFileA((dir / "link").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                        FILE_FLAG_OPEN_REPARSE_POINT, 0),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_CANT_ACCESS_FILE);
}
