// Behaviour of the POSIX layer that Windows does not share: exit status width, our own
// wildcard and path rules, and our own error texts.
#include <gtest/gtest.h>

#include "platform/Framework.h"
#include "platform/posix/PathRules.h"
#include "support/FormatLastError.h"

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
      {"*", ".hidden", true},     {"*", "", true},          {"*.aws", "a.aws", true},
      {"*.aws", "a.AWS", false},  {"?.het", "ab.het", false}, {"a?c", "abc", true},
      {"[ab]", "a", false},       {"[ab]", "[ab]", true},   {"*a*b*c", "xaybzc", true},
      {"*a*b*c", "xaybz", false}, {"t*", "tape", true},     {"**x", "x", true},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesWildcard(c.pszPattern, c.pszName), c.bMatch) << c.pszPattern << " " << c.pszName;
}

TEST(PathRulesTest, PathsBecomeAbsoluteAndLexicallyClean) {
  EXPECT_EQ(NormalizeAbsolute(".", "/home/u"), "/home/u");
  EXPECT_EQ(NormalizeAbsolute("a//b/./c/../", "/home/u"), "/home/u/a/b");
  EXPECT_EQ(NormalizeAbsolute("../../../..", "/home/u"), "/");
  EXPECT_EQ(NormalizeAbsolute("/x/y/", "/home/u"), "/x/y");
  EXPECT_EQ(NormalizeAbsolute("/", "/home/u"), "/");
}

// Reads served from the read-ahead window must always show the file as it is, whatever the
// mix of seeks, small and large reads, writes and truncation.
TEST(FormatLastErrorTest, NamesKnownCodesAndTheNumberOfOthers) {
  EXPECT_STREQ(FormatLastError(ERROR_ACCESS_DENIED), "Access is denied.");
  EXPECT_STREQ(FormatLastError(ERROR_SHARING_VIOLATION),
               "The process cannot access the file because it is being used by another process.");
  EXPECT_STREQ(FormatLastError(4242), "Unknown error (code 4242).");
}

