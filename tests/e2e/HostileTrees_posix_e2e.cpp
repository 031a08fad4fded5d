// Trees that fight back: links before "..", a working directory removed under the program,
// trees deeper than the descriptors and paths longer than the system's limit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/E2eTest.h"

namespace {
using CHostileTreesE2eTest = CE2eTest;

// Makes the directories of strRelPath below dirfd one at a time, so that the whole path may be
// longer than the system takes in one call; writes strBytes into its last part.
void PutBelow(int dirfd, const std::string& strRelPath, const std::string& strBytes) {
  const auto nSlash = strRelPath.find('/');
  if (nSlash == std::string::npos) {
    const int fd = ::openat(dirfd, strRelPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, strBytes.data(), strBytes.size()), static_cast<ssize_t>(strBytes.size()));
    ::close(fd);
    return;
  }
  const std::string strDir = strRelPath.substr(0, nSlash);
  ::mkdirat(dirfd, strDir.c_str(), 0755);
  const int subfd = ::openat(dirfd, strDir.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(subfd, 0);
  PutBelow(subfd, strRelPath.substr(nSlash + 1), strBytes);
  ::close(subfd);
}
// Whether the system's listing of strDir gives strFirst before strSecond.
bool ListsBefore(const std::string& strDir, const std::string& strFirst, const std::string& strSecond) {
  for (const auto& entry : std::filesystem::directory_iterator(strDir)) {
    const std::string strName = entry.path().filename().string();
    if (strName == strFirst || strName == strSecond) return strName == strFirst;
  }
  return false;
}
}  // namespace

// "L/../t.aws" with L a link to real/inner names real/t.aws, as the system resolves it; the
// t.aws beside L is not touched.
TEST_F(CHostileTreesE2eTest, DotDotAfterALinkLeavesWhereTheLinkLeads) {
  Put("real/inner/x", "");
  const std::string strReal = Put("real/t.aws", kDamaged);
  const std::string strDecoy = Put("t.aws", kDamaged);
  ASSERT_EQ(::symlink("real/inner", (m_dir / "L").c_str()), 0);
  const CToolResult result = Run({"/v", "L/../t.aws"});
  EXPECT_EQ(result.strOut, Line("!! ", "real/t.aws"));
  EXPECT_EQ(ReadFileBytes(strReal), kDamaged.substr(0, kDamaged.size() - 1));
  EXPECT_EQ(ReadFileBytes(strDecoy), kDamaged);
}

// A working directory removed by another shell holds nothing; the program never searches
// another directory (such as "/") in its place.
TEST_F(CHostileTreesE2eTest, RemovedWorkingDirectoryListsNothing) {
  const std::string strGone = m_dir / "gone";
  MakeDirs(strGone);
  const CToolResult result = RunTool({ToolPath(), "/r", "/v", "*"}, strGone, [&strGone] { ::rmdir(strGone.c_str()); });
  EXPECT_EQ(result.strOut + result.strErr, "");
  EXPECT_EQ(result.nStatus, 0);
}

// A tree deeper than the descriptors the program may hold is still walked whole.
TEST_F(CHostileTreesE2eTest, TreeDeeperThanTheOpenFileLimitIsWalkedWhole) {
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
  const CToolResult result = RunTool({ToolPath(), "/r", "/s", "*"}, m_dir.Path(), [] {
    const rlimit files{128, 128};
    ::setrlimit(RLIMIT_NOFILE, &files);
  });
  EXPECT_EQ(SortedLines(result.strOut), SortedLines(strExpected));
  EXPECT_EQ(result.strErr, "");
  EXPECT_EQ(result.nStatus, 4);
}

// Tapes below a path longer than the system takes in one call are walked into and repaired.
TEST_F(CHostileTreesE2eTest, PathsPastTheSystemLimitAreWalkedAndOpened) {
  std::string strRel;
  for (int nLevel = 0; nLevel < 20; ++nLevel) strRel += std::string(240, static_cast<char>('a' + nLevel)) + "/";
  strRel += "t.aws";
  const int dirfd = ::open(m_dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
  PutBelow(dirfd, strRel, kDamaged);
  const CToolResult result = Run({"/s", "*"});
  EXPECT_EQ(result.strOut, Line("!! ", strRel));
  EXPECT_EQ(result.nStatus, 1);
  EXPECT_EQ(Run({"/s", "/v", "*"}).strOut, Line("OK ", strRel));  // the repair took
  ::close(dirfd);
  // Removing such a tree needs a tool that walks it piece by piece, as the program does.
  EXPECT_EQ(std::system(("rm -rf '" + (m_dir / "aaaa") + "'*").c_str()), 0);
}
