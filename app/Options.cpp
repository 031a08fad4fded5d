// Command-line parsing: "/" or "-" options, each a single letter, before one file argument.
#include "app/Options.h"

#include <cstdarg>
#include <cstdio>

#include "app/Globals.h"
#include "app/Report.h"

#ifndef BRENDIX_VERSION
#error "BRENDIX_VERSION must be defined by the build (project version in CMakeLists.txt)"
#endif

namespace {
const char kProductTitle[] = "Quorvel";
const char kVersion[] = BRENDIX_VERSION;
const char kNotice[] = "Free software, provided as is, without warranty";
const char kMaker[] = "the Brendix32 developers";
const char kProgramName[] = "Brendix32";

const char kUsageFormat[] =
    "\n    NAME\n\n        %s, Version: %s\n        %s, %s\n\n    SYNOPSIS\n\n        %s   "
    "[OPTIONS]   file\n\n    ARGUMENTS\n\n        file   The name of the file(s) to be processed.\n"
    "               May be specified as a wildcard pattern.\n\n    OPTIONS\n\n        /r     "
    "read-only   (don't fix any broken files)\n        /k     keepgoing   (do not abort if any "
    "errors)\n        /s     subdirs     (process subdirectories too)\n        /v     verbose     "
    "(list *ALL* files processed)\n        /q     quiet       (don't list files processed)\n     "
    "   /p     progress    (/q progress indicator only)\n        /d     details     (where each damage lies, "
    "what a fix keeps)\n\n    WARNING!\n\n        If you use a "
    "wildcard pattern as your filename\n        and/or specify the /s subdirectory option make\n "
    "       VERY sure all of the files to be processed are\n        actually AWS, HET or FKT "
    "emulated tape files!\n\n        ALL files that start with a valid 6-byte header\n        will "
    "be processed and if the file is not a tape\n        file it will be 'fixed', resulting in a "
    "damaged\n        file if the file is not an actual emulated tape!\n\n        For example, if "
    "the file is an operating system\n        control file that by coincidence, begins with a\n  "
    "      sequence of 6 binary bytes that looks identical\n        to an emulated tape file "
    "tapemark block then it\n        will be processed as a tape file and 'fixed'!!\n        "
    "(resulting in a damaged operating system file)\n\n        Be VERY CAREFUL when using "
    "wildcards and/or the\n        '/s' subdirectory option! YOU HAVE BEEN WARNED!\n\n    EXIT "
    "STATUS\n\n       -1      Unrecoverable error (syntax, I/O, etc).\n        n      Number of "
    "files fixed or needing fixed.\n\n";

void SetOutputMode(bool bVerbose, bool bQuiet, bool bProgress) {
  g_bVerbose = bVerbose;
  g_bQuiet = bQuiet;
  g_bProgress = bProgress;
}
}  // namespace

int ShowUsage(const char* pszFormat, ...) {
  CString strError;
  va_list args;
  va_start(args, pszFormat);
  strError.FormatV(pszFormat, args);
  va_end(args);
  if (!strError.IsEmpty()) LogMsg(stderr, "\nERROR: %s\n\n", strError.GetString());
  LogMsg(stderr, kUsageFormat, kProductTitle, kVersion, kNotice, kMaker, kProgramName);
  return -1;
}

int ParseArgs(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const CString strArg = argv[i];
    const CString strFirst = strArg.Left(1);
    if (strFirst.Compare("/") != 0 && strFirst.Compare("-") != 0) {
      g_strFileSpec = strArg;
      if (i == argc - 1) return 0;
      return ShowUsage("Unknown argument: %s", argv[i + 1]);
    }
    // The whole remainder must be one option letter: "/rk" is not "/r" plus "/k".
    const CString strWord = strArg.Mid(1);
    if (strWord.CompareNoCase("r") == 0) {
      g_bReadOnly = true;
    } else if (strWord.CompareNoCase("k") == 0) {
      g_bKeepGoing = true;
    } else if (strWord.CompareNoCase("s") == 0) {
      g_bSubDirs = true;
    } else if (strWord.CompareNoCase("v") == 0) {
      SetOutputMode(true, false, false);
    } else if (strWord.CompareNoCase("q") == 0) {
      SetOutputMode(false, true, false);
    } else if (strWord.CompareNoCase("p") == 0) {
      SetOutputMode(false, true, true);
    } else if (strWord.CompareNoCase("d") == 0) {
      g_bDetails = true;
    } else if (strWord.CompareNoCase("?") == 0) {
      return ShowUsage("");
    } else {
      return ShowUsage("Unknown option: %s", strArg.GetString());
    }
  }
  return ShowUsage("Missing 'file' argument");
}
