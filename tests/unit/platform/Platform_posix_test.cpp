// Behaviour of the POSIX layer that Windows does not share: exit status width, our own
// wildcard and path rules, and our own error texts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ExitStatus.h"
#include "platform/File.h"
#include "platform/posix/PathRules.h"
#include "support/FormatLastError.h"
#include "tests/support/TempDir.h"

TEST(FileTest, ExitStatusNeverWrapsToSuccessOrError) {
  EXPECT_EQ(ToProcessExitStatus(-1), 255);
  EXPECT_EQ(ToProcessExitStatus(0), 0);
  EXPECT_EQ(ToProcessExitStatus(254), 254);
  EXPECT_EQ(ToProcessExitStatus(256), 254);
  EXPECT_EQ(ToProcessExitStatus(0x7FFFFFFF), 254);
}

TEST(PathRulesTest, WildcardsAreStarAndQuestionMarkOnly) {
  const struct {
    const char* pszPattern;
    const char* pszName;
    bool bMatch;
  } cases[] = {
      {"*", ".hidden", true},
      {"*", "", true},
      {"*.aws", "a.aws", true},
      {"*.aws", "a.AWS", false},
      {"?.het", "ab.het", false},
      {"a?c", "abc", true},
      {"[ab]", "a", false},
      {"[ab]", "[ab]", true},
      {"*a*b*c", "xaybzc", true},
      {"*a*b*c", "xaybz", false},
      {"t*", "tape", true},
      {"**x", "x", true},
      // "?" is one character of a UTF-8 name, one byte of any other name.
      {"?.aws", "\xC3\xA9.aws", true},
      {"??.aws", "\xC3\xA9.aws", false},
      {"?.aws", "\xE9.aws", true},
      {"*?x", "\xC3\xA9x", true},
      {"*\xA9x", "\xC3\xA9x", false},
      {"??.aws", "\xC3.aws", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesWildcard(c.pszPattern, c.pszName), c.bMatch) << c.pszPattern << " " << c.pszName;
}

TEST(PathRulesTest, PathsBecomeAbsoluteAndLexicallyClean) {
  EXPECT_EQ(NormalizeAbsolute(".", "/home/u"), "/home/u");
  EXPECT_EQ(NormalizeAbsolute("a//b/./c/../", "/home/u"), "/home/u/a/b");
  EXPECT_EQ(NormalizeAbsolute("../../../..", "/home/u"), "/");
  EXPECT_EQ(NormalizeAbsolute("/x/y/", "/home/u"), "/x/y");
  EXPECT_EQ(NormalizeAbsolute("/", "/home/u"), "/");
  // ".." after a link leaves where the link leads; other ".." stay lexical.
  const LinkResolver resolve = [](const std::string& strPath) {
    return strPath == "/home/u/L" ? "/r/inner" : "";
  };
  EXPECT_EQ(NormalizeAbsolute("L/../t.aws", "/home/u", resolve), "/r/t.aws");
  EXPECT_EQ(NormalizeAbsolute("L/x/../../t.aws", "/home/u", resolve), "/r/t.aws");
  EXPECT_EQ(NormalizeAbsolute("a/../t.aws", "/home/u", resolve), "/home/u/t.aws");
}

// Reads served from the read-ahead window must always show the file as it is, whatever the
// mix of seeks, small and large reads, writes and truncation.
TEST(FormatLastErrorTest, NamesKnownCodesAndTheNumberOfOthers) {
  EXPECT_STREQ(FormatLastError(ERROR_ACCESS_DENIED), "Access is denied.");
  EXPECT_STREQ(FormatLastError(ERROR_SHARING_VIOLATION),
               "The process cannot access the file because it is being used by another process.");
  EXPECT_STREQ(FormatLastError(4242), "Unknown error (code 4242).");
}

// An entry listed as a file is opened only if it still is one: a link that took its place is not
// followed and a FIFO is not waited on. A link listed as one is followed.
TEST(FileTest, OpenWithoutFollowingTakesRegularFilesOnly) {
  CTempDir dir;
  WriteFileBytes(dir / "f", "data");
  ASSERT_EQ(::symlink("f", (dir / "link").c_str()), 0);
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  auto Open = [](const std::string& strPath, DWORD dwFlags) {
    const HANDLE h =
        CreateFileA(strPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, dwFlags, 0);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return h != INVALID_HANDLE_VALUE ? ERROR_SUCCESS : GetLastError();
  };
  constexpr DWORD kNoFollow = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;
  EXPECT_EQ(Open(dir / "f", kNoFollow), ERROR_SUCCESS);
  EXPECT_EQ(Open(dir / "link", kNoFollow), ERROR_CANT_ACCESS_FILE);
  EXPECT_EQ(Open(dir / "link", FILE_ATTRIBUTE_NORMAL), ERROR_SUCCESS);
  EXPECT_EQ(Open(dir / "fifo", kNoFollow), ERROR_CANT_ACCESS_FILE);
  EXPECT_EQ(Open(dir / "fifo", FILE_ATTRIBUTE_NORMAL), ERROR_CANT_ACCESS_FILE);
}
