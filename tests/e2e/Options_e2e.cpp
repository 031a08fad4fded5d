// The command line as a user meets it: every refusal prints the usage text on standard error
// and exits with the error status, touching no file.
#include <gtest/gtest.h>

#include "tests/support/E2eTest.h"

namespace {
const char kUsage[] =
    "\n    NAME\n\n        Quorvel, Version: 1.0.0.6208\n        Free software, provided as is, without "
    "warranty, the Brendix32 developers\n\n    SYNOPSIS\n\n        Brendix32   [OPTIONS]   file\n\n"
    "    ARGUMENTS\n\n        file   The name of the file(s) to be processed.\n               May be "
    "specified as a wildcard pattern.\n\n    OPTIONS\n\n        /r     read-only   (don't fix any "
    "broken files)\n        /k     keepgoing   (do not abort if any errors)\n        /s     subdirs "
    "    (process subdirectories too)\n        /v     verbose     (list *ALL* files processed)\n   "
    "     /q     quiet       (don't list files processed)\n        /p     progress    (/q progress "
    "indicator only)\n        /d     details     (where each damage lies, what a fix keeps)\n\n    "
    "WARNING!\n\n        If you use a wildcard pattern as your filename\n    "
    "    and/or specify the /s subdirectory option make\n        VERY sure all of the files to be "
    "processed are\n        actually AWS, HET or FKT emulated tape files!\n\n        ALL files that "
    "start with a valid 6-byte header\n        will be processed and if the file is not a tape\n    "
    "    file it will be 'fixed', resulting in a damaged\n        file if the file is not an actual "
    "emulated tape!\n\n        For example, if the file is an operating system\n        control file "
    "that by coincidence, begins with a\n        sequence of 6 binary bytes that looks identical\n   "
    "     to an emulated tape file tapemark block then it\n        will be processed as a tape file "
    "and 'fixed'!!\n        (resulting in a damaged operating system file)\n\n        Be VERY "
    "CAREFUL when using wildcards and/or the\n        '/s' subdirectory option! YOU HAVE BEEN "
    "WARNED!\n\n    EXIT STATUS\n\n       -1      Unrecoverable error (syntax, I/O, etc).\n        n "
    "     Number of files fixed or needing fixed.\n\n";

std::string WithError(const std::string& strError) {
  return strError.empty() ? kUsage : "\nERROR: " + strError + "\n\n" + kUsage;
}

using COptionsE2eTest = CE2eTest;
}  // namespace

TEST_F(COptionsE2eTest, RefusedCommandLinesPrintTheUsageAndExitWithError) {
  Put("t.aws", kDamaged);
  const struct {
    std::vector<std::string> args;
    std::string strError;
  } cases[] = {
      {{}, "Missing 'file' argument"},
      {{"/r", "/v"}, "Missing 'file' argument"},
      {{"/?"}, ""},
      {{"/r", "-?", "t.aws"}, ""},
      {{"/rk", "t.aws"}, "Unknown option: /rk"},
      {{"/"}, "Unknown option: /"},
      {{"-"}, "Unknown option: -"},
      {{"/?x"}, "Unknown option: /?x"},
      {{"/%s", "/%d"}, "Unknown option: /%s"},
      {{"/R", "-k", "-S", "t.aws", "extra"}, "Unknown argument: extra"},
      {{"t.aws", "/r"}, "Unknown argument: /r"},
  };
  for (const auto& c : cases) {
    const CToolResult result = Run(c.args);
    const std::string strArgs = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(result.nStatus, Status(-1)) << strArgs;
    EXPECT_EQ(result.strOut, "") << strArgs;
    EXPECT_EQ(result.strErr, WithError(c.strError)) << strArgs;
  }
  EXPECT_EQ(Bytes("t.aws"), kDamaged);  // no file was touched
}

TEST_F(COptionsE2eTest, FrameworkFailureIsOneLineOnStandardOutput) {
  const CToolResult result = Run({"--fail-init", "/v", "x"});
  EXPECT_EQ(result.nStatus, Status(-1));
  EXPECT_EQ(result.strOut + result.strErr, "** Fatal Error! ** MFC initialization failed!\n");
}

TEST_F(COptionsE2eTest, PatternMatchingNothingIsSilentSuccess) {
  const CToolResult result = Run({"/v", "*.none"});
  EXPECT_EQ(result.nStatus, 0);
  EXPECT_EQ(result.strOut + result.strErr, "");
}
