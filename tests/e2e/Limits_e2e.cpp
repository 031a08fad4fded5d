// Past the system's limits: paths longer than one call takes, tapes past 4 GiB, trees deeper than
// the descriptors the program may hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/E2eTest.h"

namespace fs = std::filesystem;

namespace {
using CLimitsE2eTest = CE2eTest;

// The tree is built from the bottom up and taken apart from the top down, each step a rename or
// a removal of a short path, so that no call needs the whole path.
void PutDeep(const fs::path& dir, const std::vector<std::string>& parts, const std::string& strBytes) {
  std::ofstream(dir / parts.back(), std::ios::binary) << strBytes;
  for (std::size_t n = parts.size() - 1; n-- > 0;) {
    fs::create_directory(dir / "spare");
    fs::rename(dir / parts[n + 1], dir / "spare" / parts[n + 1]);
    fs::rename(dir / "spare", dir / parts[n]);
  }
}

void RemoveDeep(const fs::path& dir, const std::vector<std::string>& parts) {
  for (fs::path top = dir / parts.front(); fs::is_directory(top);) {
    const fs::path inner = *fs::directory_iterator(top);
    fs::rename(inner, dir / "spare");
    fs::remove(top);
    top = dir / inner.filename();
    fs::rename(dir / "spare", top);
  }
  fs::remove(dir / parts.back());
}
}  // namespace

// Tapes below a path longer than the system takes in one call are walked into and repaired, and
// the printed path is whole.
TEST_F(CLimitsE2eTest, PathsPastTheSystemLimitAreWalkedAndOpened) {
  std::vector<std::string> parts;
  std::string strRel;
  // Past what Linux (4,096) or Windows (260) takes in one call; Wine keeps to the Linux limit.
  while (strRel.size() <= (NativeSeparator() == '/' ? 4096u : 260u)) {
    parts.emplace_back(60, static_cast<char>('a' + parts.size() % 26));
    strRel += parts.back() + "/";
  }
  parts.emplace_back("t.aws");
  PutDeep(m_dir.Path(), parts, kDamaged);
  EXPECT_EQ(Run({"/s", "*"}).strOut, Line("!! ", strRel + "t.aws"));
  EXPECT_EQ(Run({"/s", "/v", "*"}).strOut, Line("OK ", strRel + "t.aws"));
  RemoveDeep(m_dir.Path(), parts);
}

#ifndef _WIN32
// The walk passes 4 GiB through the read-ahead window; the repair cuts at the exact offset. The
// tape is a sparse file of 65,600 blocks of 65,535 bytes, so that only its headers take disk.
TEST_F(CLimitsE2eTest, RepairPast4GiBCutsAtTheExactOffset) {
  std::fstream file(m_dir / "big.aws", std::ios::binary | std::ios::out);
  std::int64_t nEnd = 0;
  for (int i = 0; i < 65600; ++i, nEnd += 6 + 65535) {
    file.seekp(nEnd) << AwsHeader(65535, i == 0 ? 0 : 65535, 0xA0, 0);
  }
  file.seekp(nEnd) << std::string("\x05\x00\x00", 3);  // a header cut short
  file.close();
  ASSERT_GT(nEnd, std::int64_t{1} << 32);
  const std::string strEnd = std::to_string(nEnd);
  EXPECT_EQ(Run({"/r", "/d", "big.aws"}).strOut,
            Line("/r ", "big.aws") + "   damaged at offset " + strEnd + " (tape file 0); a fix keeps " +
                strEnd + " of " + std::to_string(nEnd + 3) + " bytes\n   no resumption found after offset " +
                strEnd + "\n");
  EXPECT_EQ(Run({"/v", "big.aws"}).strOut, Line("!! ", "big.aws"));
  EXPECT_EQ(fs::file_size(m_dir / "big.aws"), static_cast<std::uintmax_t>(nEnd));
  EXPECT_EQ(Run({"/v", "big.aws"}).strOut, Line("OK ", "big.aws"));
}

// Each level holds a subdirectory and a file "s" listed after it, so that the listing of each
// level stays open while the level below is walked. The listing order is the file system's own,
// the same for the same names at every level: a subdirectory name is picked that comes first.
TEST_F(CLimitsE2eTest, TreeDeeperThanTheOpenFileLimitIsWalkedWhole) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizers' own checks need descriptors (a pipe) and report false errors without them.
  GTEST_SKIP() << "the sanitizers cannot run with descriptors this short";
#endif
  Put("s", "");
  std::string strSub;
  for (int n = 0; strSub.empty(); ++n) {
    fs::create_directory(m_dir / ("d" + std::to_string(n)));
    for (const auto& entry : fs::directory_iterator(m_dir.Path())) {
      const std::string strName = entry.path().filename().string();
      if (strName == "s" || strName == "d" + std::to_string(n)) {
        if (strName != "s") strSub = strName;
        break;
      }
    }
  }
  std::string strPath, strExpected;
  for (int nLevel = 1; nLevel <= 600; ++nLevel) {
    strPath += strSub + "/";
    Put(strPath + "s", "");
    if (nLevel % 150 == 0) strExpected += Line("/r ", strPath + "t.aws");
    if (nLevel % 150 == 0) Put(strPath + "t.aws", kDamaged);
  }
  const CToolResult result = Run({"/r", "/s", "*"}, "ulimit -n 128;");
  EXPECT_EQ(SortedLines(result.strOut), SortedLines(strExpected));
  EXPECT_EQ(result.strErr, "");
  EXPECT_EQ(result.nStatus, 4);
}
#endif
