// A tape past 4 GiB, made as a sparse file so that only its headers take disk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/E2eTest.h"

namespace {
using CLargeTapeE2eTest = CE2eTest;
}  // namespace

// The walk passes 4 GiB through the read-ahead window; the repair cuts at the exact offset.
TEST_F(CLargeTapeE2eTest, RepairPast4GiBCutsAtTheExactOffset) {
  // 65,600 blocks of 65,535 bytes end past 4 GiB.
  const std::string strPath = m_dir / "big.aws";
  const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  std::int64_t nEnd = 0;
  for (int i = 0; i < 65600; ++i) {
    const std::string strHdr = AwsHeader(65535, i == 0 ? 0 : 65535, 0xA0, 0);
    ASSERT_EQ(::pwrite(fd, strHdr.data(), 6, nEnd), 6);
    nEnd += 6 + 65535;
  }
  ASSERT_GT(nEnd, std::int64_t{1} << 32);
  ASSERT_EQ(::pwrite(fd, "\x05\x00\x00", 3, nEnd), 3);  // a header cut short
  ::close(fd);
  const std::string strEnd = std::to_string(nEnd);
  EXPECT_EQ(Run({"/r", "/d", "big.aws"}).strOut,
            Line("/r ", "big.aws") + "   damaged at offset " + strEnd + " (tape file 0); a fix keeps " +
                strEnd + " of " + std::to_string(nEnd + 3) + " bytes\n   no resumption found after offset " +
                strEnd + "\n");
  EXPECT_EQ(Run({"/v", "big.aws"}).strOut, Line("!! ", "big.aws"));
  struct stat st {};
  ASSERT_EQ(::stat(strPath.c_str(), &st), 0);
  EXPECT_EQ(st.st_size, nEnd);
  EXPECT_EQ(Run({"/v", "big.aws"}).strOut, Line("OK ", "big.aws"));
}
