// Trees that fight back: special entries, links before "..", a working directory removed under
// the program, trees deeper than the descriptors.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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

// /s with "*" visits the whole tree, hidden files included; FIFOs (also named directly), links
// to directories (even a loop) and dangling links are passed over without a word.
TEST_F(CHostileTreesE2eTest, SpecialEntriesArePassedOverWithoutAWord) {
  Put("a.aws", kDamaged);
  Put(".hidden.aws", kSound);
  Put("sub/b.het", kDamaged);
  ASSERT_EQ(::mkfifo((m_dir / "sub/pipe").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("..", (m_dir / "sub/loop").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", (m_dir / "dangling").c_str()), 0);
  ASSERT_EQ(::symlink("sub/b.het", (m_dir / "link.het").c_str()), 0);
  const int fdSocket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", (m_dir / "sub/socket").c_str());
  ASSERT_EQ(::bind(fdSocket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  CToolResult result = Run({"/r", "/v", "/s", "*"});
  EXPECT_EQ(SortedLines(result.strOut), SortedLines(Line("/r ", "a.aws") + Line("OK ", ".hidden.aws") +
                                                    Line("/r ", "sub/b.het") + Line("/r ", "link.het")));
  EXPECT_EQ(result.nStatus, 3);
  EXPECT_EQ(result.strErr, "");
  ::close(fdSocket);
  result = Run({"/v", "sub/pipe"});
  EXPECT_EQ(result.strOut + result.strErr, "");
  EXPECT_EQ(result.nStatus, 0);
}

// "L/../t.aws" with L a link to real/inner names real/t.aws, as the system resolves it; the
// t.aws beside L is not touched.
TEST_F(CHostileTreesE2eTest, DotDotAfterALinkLeavesWhereTheLinkLeads) {
  Put("real/inner/x", "");
  const std::string strReal = Put("real/t.aws", kDamaged);
  const std::string strDecoy = Put("t.aws", kDamaged);
  ASSERT_EQ(::symlink("real/inner", (m_dir / "L").c_str()), 0);
  const CToolResult result = Run({"/v", "L/../t.aws"});
  EXPECT_EQ(result.strOut, Line("!! ", "real/t.aws"));
  EXPECT_EQ(ReadFileBytes(strReal), kRepaired);
  EXPECT_EQ(ReadFileBytes(strDecoy), kDamaged);
}

// A working directory removed by another shell holds nothing; the program never searches
// another directory (such as "/") in its place.
TEST_F(CHostileTreesE2eTest, RemovedWorkingDirectoryListsNothing) {
  const std::string strGone = m_dir / "gone";
  MakeDirs(strGone);
  const CToolResult result =
      RunTool({ToolPath(), "/r", "/v", "*"}, strGone, [&strGone] { ::rmdir(strGone.c_str()); });
  EXPECT_EQ(result.strOut + result.strErr, "");
  EXPECT_EQ(result.nStatus, 0);
}

// A tree deeper than the descriptors the program may hold is still walked whole.
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
  const CToolResult result = RunTool({ToolPath(), "/r", "/s", "*"}, m_dir.Path(), [] {
    const rlimit files{128, 128};
    ::setrlimit(RLIMIT_NOFILE, &files);
  });
  EXPECT_EQ(SortedLines(result.strOut), SortedLines(strExpected));
  EXPECT_EQ(result.strErr, "");
  EXPECT_EQ(result.nStatus, 4);
}
