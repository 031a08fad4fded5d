// The read-only retry with a real refusal: a file its user may read but not write.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/E2eTest.h"

namespace {
using CAccessPosixE2eTest = CE2eTest;
}  // namespace

TEST_F(CAccessPosixE2eTest, ReadOnlyFileIsReopenedForReadingAndReportedWithR) {
  const std::string strDamaged = CTapeBuilder().Whole(10).Tapemark().Raw("z").Bytes();
  const std::string strPath = Put("ro.aws", strDamaged);
  ASSERT_EQ(::chmod(strPath.c_str(), 0444), 0);
  std::vector<std::string> args;
  if (::geteuid() == 0) {
    // Root may write anything: run as an unprivileged user, from a copy of the program that
    // user can reach.
    if (::access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "setpriv is missing: cannot drop root";
    const std::string strTool = m_dir / "tool";
    std::filesystem::copy_file(ToolPath(), strTool);
    ::chmod(strTool.c_str(), 0755);
    ::chmod(m_dir.Path().c_str(), 0755);
    args = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", strTool};
  } else {
    args = {ToolPath()};
  }
  args.insert(args.end(), {"/v", "ro.aws"});
  const CToolResult result = RunTool(args, m_dir.Path());
  if (result.nStatus == 127) GTEST_SKIP() << "cannot run the program as an unprivileged user";
  EXPECT_EQ(result.strOut, Line("/r ", "ro.aws"));
  EXPECT_EQ(result.strErr, "");
  EXPECT_EQ(result.nStatus, 1);
  EXPECT_EQ(ReadFileBytes(strPath), strDamaged);
}
