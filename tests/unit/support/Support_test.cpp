#include <gtest/gtest.h>

#include "platform/File.h"
#include "support/FormatLastError.h"
#include "support/IsHexString.h"
#include "support/SetFilePointer64.h"
#include "tests/support/TempDir.h"

TEST(IsHexStringTest, AcceptsOneToFourHexDigitsOnly) {
  for (const char* psz : {"0", "0000", "ABCD", "abcd", "fF09"}) EXPECT_TRUE(IsHexString(psz, 0)) << psz;
  for (const char* psz : {"", "12345", " 12", "12 ", "+1", "0x1", "G", "1g", "/", ":", "@", "`"}) {
    EXPECT_FALSE(IsHexString(psz, 0)) << "[" << psz << "]";
  }
}

// Positions past the end are allowed and read nothing; the file does not grow.
TEST(SetFilePointer64Test, MovesPastTheEndWithoutGrowingTheFile) {
  CTempDir dir;
  WriteFileBytes(dir / "f", "0123456789");
  const HANDLE h = CreateFileA((dir / "f").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
  char ach[4];
  DWORD nRead = 99;
  EXPECT_EQ(SetFilePointer64(h, 5'000'000'000LL, FILE_BEGIN), 5'000'000'000LL);
  EXPECT_TRUE(ReadFile(h, ach, 4, &nRead, nullptr));
  EXPECT_EQ(nRead, 0u);
  EXPECT_EQ(SetFilePointer64(h, 0x7FFFFFFFFFFFFFFFLL, FILE_CURRENT), -1);  // would overflow
  EXPECT_EQ(SetFilePointer64(h, -1, FILE_BEGIN), -1);
  EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
  CloseHandle(h);
  EXPECT_EQ(ReadFileBytes(dir / "f").size(), 10u);
}

#ifndef _WIN32
TEST(FormatLastErrorTest, NamesKnownCodesAndTheNumberOfOthers) {
  EXPECT_STREQ(FormatLastError(ERROR_ACCESS_DENIED), "Access is denied.");
  EXPECT_STREQ(FormatLastError(ERROR_IO_DEVICE),
               "The request could not be performed because of an I/O device error.");
  EXPECT_STREQ(FormatLastError(4242), "Unknown error (code 4242).");
}
#endif
