// Another program at work beside ours: it holds the tape open, locks it, changes it before the
// cut, closes our output pipe, or the memory runs out. Nothing may be lost, and the run goes on.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/E2eTest.h"

namespace {
const std::string kInUse = FormatLastError(ERROR_SHARING_VIOLATION).GetString();
const std::string kDamagedMarks = CTapeBuilder().Whole(10).Tapemark().Raw("z").Bytes();
const std::string kRepairedMarks = CTapeBuilder().Whole(10).Tapemark().Bytes();

class CAnotherProgramE2eTest : public CE2eTest {
 protected:
  std::string ErrorLine(const char* pszVerb, const std::string& strName, const std::string& strText) const {
    return std::string("** ERROR ") + pszVerb + " file \"" + (m_dir / strName) + "\": " + strText + "\n";
  }
};

// Holds a descriptor open for the test's lifetime, as an emulator holds its tape.
struct CHeldOpen {
  CHeldOpen(const std::string& strPath, int nFlags) : fd(::open(strPath.c_str(), nFlags)) {
    EXPECT_GE(fd, 0);
  }
  ~CHeldOpen() { ::close(fd); }
  int fd;
};
}  // namespace

// A tape another process has open is refused whether or not it took a lock; with /r only a
// writer elsewhere refuses it.
TEST_F(CAnotherProgramE2eTest, TapeOpenElsewhereIsNotTouched) {
  const std::string strPath = Put("t.aws", kDamagedMarks);
  {
    const CHeldOpen reader(strPath, O_RDONLY);
    CToolResult result = Run({"/v", "t.aws"});
    EXPECT_EQ(result.strErr, ErrorLine("opening", "t.aws", kInUse));
    EXPECT_EQ(result.strOut, "");
    EXPECT_EQ(result.nStatus, Status(-1));
    result = Run({"/r", "t.aws"});  // reading beside a reader harms nobody
    EXPECT_EQ(result.strOut, Line("/r ", "t.aws"));
  }
  {
    const CHeldOpen writer(strPath, O_WRONLY | O_APPEND);
    EXPECT_EQ(Run({"/r", "t.aws"}).strErr, ErrorLine("opening", "t.aws", kInUse));
  }
  EXPECT_EQ(ReadFileBytes(strPath), kDamagedMarks);
  EXPECT_EQ(Run({"t.aws"}).strOut, Line("!! ", "t.aws"));  // once let go, it is repaired
}

// Where no lease can be had (here: a tape of another owner), a POSIX record lock still refuses it.
TEST_F(CAnotherProgramE2eTest, RecordLockRefusesTheTapeWhereNoLeaseCanBeHad) {
  if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "needs root and setpriv";
  const std::string strPath = Put("t.aws", kDamagedMarks);
  ASSERT_EQ(::chmod(strPath.c_str(), 0666), 0);
  ASSERT_EQ(::chmod(m_dir.Path().c_str(), 0777), 0);
  const std::string strTool = m_dir / "tool";
  std::filesystem::copy_file(ToolPath(), strTool);
  ::chmod(strTool.c_str(), 0755);
  const std::vector<std::string> args = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                         "--clear-groups",   strTool,         "t.aws"};
  {
    const CHeldOpen holder(strPath, O_RDWR);
    ASSERT_EQ(::lockf(holder.fd, F_LOCK, 0), 0);
    const CToolResult result = RunTool(args, m_dir.Path());
    EXPECT_EQ(result.strErr, ErrorLine("opening", "t.aws", kInUse));
    EXPECT_EQ(ReadFileBytes(strPath), kDamagedMarks);
  }
  const CToolResult result = RunTool(args, m_dir.Path());
  EXPECT_EQ(result.strOut, Line("!! ", "t.aws")) << result.strErr;
  EXPECT_EQ(ReadFileBytes(strPath), kRepairedMarks);
}

// A tape that another program appends to or empties after the walk is neither cut nor grown.
TEST_F(CAnotherProgramE2eTest, TapeChangedBeforeTheCutIsLeftToTheOtherProgram) {
  const struct {
    const char* pszSwitch;
    std::string strTape;
    std::string strAfter;
  } cases[] = {
      {"--grow-before-cut", kDamagedMarks, kDamagedMarks + "appended"},
      {"--empty-before-cut", kDamagedMarks, ""},
      {"--grow-before-cut", CTapeBuilder().First(10).Raw("z").Bytes(),
       CTapeBuilder().First(10).Raw("zappended").Bytes()},
  };
  for (const auto& c : cases) {
    for (const char* pszKeepGoing : {"/v", "/k"}) {
      Put("t.aws", c.strTape);
      const CToolResult result = RunTool({SeamToolPath(), c.pszSwitch, pszKeepGoing, "t.aws"}, m_dir.Path());
      EXPECT_EQ(result.strErr, ErrorLine("writing", "t.aws", kInUse)) << c.pszSwitch;
      EXPECT_EQ(result.strOut, "") << c.pszSwitch;
      EXPECT_EQ(result.nStatus, Status(pszKeepGoing[1] == 'k' ? 1 : -1)) << c.pszSwitch;
      EXPECT_EQ(ReadFileBytes(m_dir / "t.aws"), c.strAfter) << c.pszSwitch;
    }
  }
}

// A reader that stops reading (`| head -1`) costs the lines, not the repairs.
TEST_F(CAnotherProgramE2eTest, ClosedOutputPipeDoesNotEndTheRun) {
  for (int i = 0; i < 300; ++i) Put("many/" + std::to_string(i) + ".aws", kDamagedMarks);
  const CToolResult result = RunTool({ToolPath(), "/v", "many/*"}, m_dir.Path(), [] {
    int afd[2];
    if (::pipe(afd) != 0) ::_exit(125);
    ::close(afd[0]);
    ::dup2(afd[1], 1);
  });
  EXPECT_EQ(result.nStatus, Status(300));
  for (int i = 0; i < 300; ++i)
    ASSERT_EQ(ReadFileBytes(m_dir / ("many/" + std::to_string(i) + ".aws")), kRepairedMarks) << i;
}

// Where both streams go to one place, an error line comes after the output printed before it.
TEST_F(CAnotherProgramE2eTest, ErrorLineFollowsEarlierOutputOnASharedStream) {
  const std::string strPath = Put("t.aws", kDamagedMarks);
  const CHeldOpen reader(strPath, O_RDONLY);
  const CToolResult result = RunTool({ToolPath(), "/p", "t.aws"}, m_dir.Path(), [] { ::dup2(1, 2); });
  EXPECT_EQ(result.strOut, "/|\r" + ErrorLine("opening", "t.aws", kInUse));
}

// A block list that outgrows the memory is an error line for that file, which stays as it was.
TEST_F(CAnotherProgramE2eTest, ExhaustedMemoryIsAnErrorLineNotACrash) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer cannot run under an address-space limit";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "AddressSanitizer cannot run under an address-space limit";
#endif
#endif
  const std::string strMark("\0\0\0\0\x40\0", 6);
  std::string strHuge;
  strHuge.reserve(3000000 * strMark.size() + 1);
  for (int i = 0; i < 3000000; ++i) strHuge += strMark;
  strHuge += "z";
  Put("a/huge.aws", strHuge);
  const auto limit = [] {
    const rlimit as{96u << 20, 96u << 20};
    ::setrlimit(RLIMIT_AS, &as);
  };
  CToolResult result = RunTool({ToolPath(), "a/huge.aws"}, m_dir.Path(), limit);
  EXPECT_EQ(result.strErr,
            ErrorLine("reading", "a/huge.aws", FormatLastError(ERROR_NOT_ENOUGH_MEMORY).GetString()));
  EXPECT_EQ(result.nStatus, Status(-1));
  EXPECT_EQ(ReadFileBytes(m_dir / "a/huge.aws"), strHuge);

  Put("a/small.aws", kDamagedMarks);  // with /k the walk goes on to the next file
  result = RunTool({ToolPath(), "/k", "a/*"}, m_dir.Path(), limit);
  EXPECT_EQ(result.strOut, Line("!! ", "a/small.aws"));
  EXPECT_EQ(result.nStatus, 1);
}
