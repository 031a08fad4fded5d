// Tapes below a path longer than the system takes in one call are walked into and repaired, and
// the printed path is whole.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "tests/support/E2eTest.h"

namespace fs = std::filesystem;

namespace {
#ifdef _WIN32
constexpr std::size_t kSystemPathLimit = 260;
#else
constexpr std::size_t kSystemPathLimit = PATH_MAX;
#endif

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

using CWalkE2eTest = CE2eTest;
}  // namespace

TEST_F(CWalkE2eTest, PathsPastTheSystemLimitAreWalkedAndOpened) {
  std::vector<std::string> parts;
  std::string strRel;
  for (int n = 0; strRel.size() <= kSystemPathLimit; ++n) {
    parts.emplace_back(60, static_cast<char>('a' + n % 26));
    strRel += parts.back() + "/";
  }
  parts.emplace_back("t.aws");
  strRel += "t.aws";
  PutDeep(m_dir.Path(), parts, kDamaged);
  EXPECT_EQ(Run({"/s", "*"}).strOut, Line("!! ", strRel));
  EXPECT_EQ(Run({"/s", "/v", "*"}).strOut, Line("OK ", strRel));
  RemoveDeep(m_dir.Path(), parts);
}
