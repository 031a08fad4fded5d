// Another program at work beside ours: it holds the tape open, locks it, changes it before the
// cut, closes our output pipe, or the memory runs out. Nothing may be lost, and the run goes on.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/E2eTest.h"

namespace {
class CAnotherProgramE2eTest : public CE2eTest {
 protected:
  // Runs a copy of the program as user nobody: where the tape is root's, no lease can be had.
  CToolResult RunAsNobody(const std::vector<std::string>& args) {
    const std::string strTool = m_dir / "tool";
    if (!std::filesystem::exists(strTool)) std::filesystem::copy_file(ToolPath(), strTool);
    ::chmod(strTool.c_str(), 0755);
    ::chmod(m_dir.Path().c_str(), 0777);
    std::vector<std::string> argv{"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                                  strTool};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunTool(argv, m_dir.Path());
  }
  const std::string kInUse = FormatLastError(ERROR_SHARING_VIOLATION).GetString();
};
}  // namespace

// A tape another process has open is refused whether or not it took a lock; with /r only a
// writer elsewhere refuses it.
TEST_F(CAnotherProgramE2eTest, TapeOpenElsewhereIsNotTouched) {
  const std::string strPath = Put("t.aws", kDamaged);
  {
    const CFileHolder reader(strPath);
    const CToolResult result = Run({"/v", "t.aws"});
    EXPECT_EQ(result.strOut + result.strErr, ErrorLine("opening", "t.aws", ERROR_SHARING_VIOLATION));
    EXPECT_EQ(result.nStatus, Status(-1));
    EXPECT_EQ(Run({"/r", "t.aws"}).strOut, Line("/r ", "t.aws"));  // reading beside a reader harms nobody
    const CFileHolder writer(strPath, true);
    EXPECT_EQ(Run({"/r", "t.aws"}).strErr, ErrorLine("opening", "t.aws", ERROR_SHARING_VIOLATION));
  }
  EXPECT_EQ(Bytes("t.aws"), kDamaged);
  EXPECT_EQ(Run({"t.aws"}).strOut, Line("!! ", "t.aws"));  // once let go, it is repaired
}

// As another user: a tape that refuses writing is checked read-only; where no lease can be had,
// a POSIX record lock still refuses the tape.
TEST_F(CAnotherProgramE2eTest, WithoutLeasesRecordLocksStillRefuseTheTape) {
  if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "needs root and setpriv";
  const std::string strPath = Put("t.aws", kDamaged);
  ASSERT_EQ(::chmod(strPath.c_str(), 0444), 0);
  CToolResult result = RunAsNobody({"/v", "t.aws"});
  EXPECT_EQ(result.strOut + result.strErr, Line("/r ", "t.aws"));
  ASSERT_EQ(::chmod(strPath.c_str(), 0666), 0);
  {
    const CFileHolder holder(strPath, true);
    ASSERT_EQ(::lockf(static_cast<int>(holder.Handle()), F_LOCK, 0), 0);
    EXPECT_EQ(RunAsNobody({"t.aws"}).strErr, ErrorLine("opening", "t.aws", ERROR_SHARING_VIOLATION));
  }
  {
    const CFileHolder holder(strPath);  // a reader that takes a shared flock
    ASSERT_EQ(::flock(static_cast<int>(holder.Handle()), LOCK_SH), 0);
    EXPECT_EQ(RunAsNobody({"t.aws"}).strErr, ErrorLine("opening", "t.aws", ERROR_SHARING_VIOLATION));
  }
  result = RunAsNobody({"t.aws"});
  EXPECT_EQ(result.strOut + result.strErr, Line("!! ", "t.aws"));
  EXPECT_EQ(Bytes("t.aws"), kRepaired);
}

// A tape that another program appends to or empties after the walk is neither cut nor grown.
TEST_F(CAnotherProgramE2eTest, TapeChangedBeforeTheCutIsLeftToTheOtherProgram) {
  const std::string strNoBlock = CTapeBuilder().First(10).Raw("z").Bytes();  // rewritten as a tapemark
  const struct {
    const char* pszSwitch;
    std::string strTape, strAfter;
  } cases[] = {{"--grow-before-cut", kDamaged, kDamaged + "appended"},
               {"--empty-before-cut", kDamaged, ""},
               {"--grow-before-cut", strNoBlock, strNoBlock + "appended"}};
  for (const auto& c : cases) {
    for (const char* pszKeepGoing : {"/v", "/k"}) {
      Put("t.aws", c.strTape);
      const CToolResult result = Run({c.pszSwitch, pszKeepGoing, "t.aws"});
      EXPECT_EQ(result.strOut + result.strErr, ErrorLine("writing", "t.aws", ERROR_SHARING_VIOLATION));
      EXPECT_EQ(result.nStatus, Status(pszKeepGoing[1] == 'k' ? 1 : -1)) << c.pszSwitch;
      EXPECT_EQ(Bytes("t.aws"), c.strAfter) << c.pszSwitch;
    }
  }
}

// A reader that stops reading (`| head -1`) costs the lines, not the repairs; where both streams
// go to one place, an error line comes after the output printed before it.
TEST_F(CAnotherProgramE2eTest, OutputThatGoesAwayOrIsSharedLosesNothing) {
  for (int i = 0; i < 300; ++i) Put("many/" + std::to_string(i) + ".aws", kDamaged);
  const CToolResult result = Run({"/v", "many/*"}, [] {
    int afd[2];
    if (::pipe(afd) != 0) ::_exit(125);
    ::close(afd[0]);
    ::dup2(afd[1], 1);
  });
  EXPECT_EQ(result.nStatus, Status(300));
  for (int i = 0; i < 300; ++i) ASSERT_EQ(Bytes("many/" + std::to_string(i) + ".aws"), kRepaired) << i;

  const CFileHolder reader(Put("t.aws", kDamaged));
  EXPECT_EQ(Run({"/p", "t.aws"}, [] { ::dup2(1, 2); }).strOut,
            "/|\r" + ErrorLine("opening", "t.aws", ERROR_SHARING_VIOLATION));
}

// A block list that outgrows the memory is an error line for that file, which stays as it was.
TEST_F(CAnotherProgramE2eTest, ExhaustedMemoryIsAnErrorLineNotACrash) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer cannot run under an address-space limit";
#endif
  std::string strHuge;
  for (int i = 0; i < 3000000; ++i) strHuge.append("\0\0\0\0\x40\0", 6);
  Put("a/huge.aws", strHuge + "z");
  Put("a/small.aws", kDamaged);
  const auto limit = [] {
    const rlimit as{96u << 20, 96u << 20};
    ::setrlimit(RLIMIT_AS, &as);
  };
  CToolResult result = Run({"a/huge.aws"}, limit);
  EXPECT_EQ(result.strErr, ErrorLine("reading", "a/huge.aws", ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(result.nStatus, Status(-1));
  EXPECT_EQ(Bytes("a/huge.aws"), strHuge + "z");
  result = Run({"/k", "a/*"}, limit);  // with /k the walk goes on to the next file
  EXPECT_EQ(result.strOut, Line("!! ", "a/small.aws"));
  EXPECT_EQ(result.nStatus, 1);
}
