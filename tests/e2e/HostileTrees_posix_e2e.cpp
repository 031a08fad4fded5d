// A tree deeper than the descriptors the program may hold is still walked whole.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>

#include "tests/support/E2eTest.h"

namespace {
using CHostileTreesE2eTest = CE2eTest;

// Whether the system's listing of strDir gives strFirst before strSecond.
bool ListsBefore(const std::string& strDir, const std::string& strFirst, const std::string& strSecond) {
  for (const auto& entry : std::filesystem::directory_iterator(strDir)) {
    const std::string strName = entry.path().filename().string();
    if (strName == strFirst || strName == strSecond) return strName == strFirst;
  }
  return false;
}
}  // namespace

TEST_F(CHostileTreesE2eTest, TreeDeeperThanTheOpenFileLimitIsWalkedWhole) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizers' own checks need descriptors (a pipe) and report false errors without them.
  GTEST_SKIP() << "the sanitizers cannot run with descriptors this short";
#endif
  // Each level holds a subdirectory and a file "s" listed after it, so that the listing of each
  // level stays open while the level below is walked. The listing order is the file system's
  // own, the same for the same names at every level: pick a subdirectory name that comes first.
  Put("s", "");
  std::string strSub;
  for (int n = 0; strSub.empty(); ++n) {
    MakeDirs(m_dir / ("d" + std::to_string(n)));
    if (ListsBefore(m_dir.Path(), "d" + std::to_string(n), "s")) strSub = "d" + std::to_string(n);
  }
  std::string strPath, strExpected;
  for (int nLevel = 1; nLevel <= 600; ++nLevel) {
    strPath += strSub + "/";
    Put(strPath + "s", "");
    if (nLevel % 150 == 0) {
      Put(strPath + "t.aws", kDamaged);
      strExpected += Line("/r ", strPath + "t.aws");
    }
  }
  const CToolResult result = Run({"/r", "/s", "*"}, [] {
    const rlimit files{128, 128};
    ::setrlimit(RLIMIT_NOFILE, &files);
  });
  EXPECT_EQ(SortedLines(result.strOut), SortedLines(strExpected));
  EXPECT_EQ(result.strErr, "");
  EXPECT_EQ(result.nStatus, 4);
}
