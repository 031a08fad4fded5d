#include <gtest/gtest.h>

#include "support/FormatLastError.h"
#include "support/IsHexString.h"
#include "support/SetFilePointer64.h"
#include "tests/support/TempDir.h"

TEST(IsHexStringTest, AcceptsOneToFourHexDigitsOnly) {
  for (const char* psz : {"0", "0000", "ABCD", "abcd", "fF09", "9"}) EXPECT_TRUE(IsHexString(psz, 0)) << psz;
  for (const char* psz : {"", "12345", " 12", "12 ", "+1", "-1", "0x1", "G", "1g", "\t1"}) {
    EXPECT_FALSE(IsHexString(psz, 0)) << "[" << psz << "]";
  }
}

TEST(SetFilePointer64Test, MovesPastTheEndWithoutGrowingTheFile) {
  CTempDir dir;
  WriteFileBytes(dir / "f", "0123456789");
  const HANDLE h =
      CreateFileA((dir / "f").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SetFilePointer64(h, 4, FILE_BEGIN), 4);
  EXPECT_EQ(SetFilePointer64(h, 5'000'000'000LL, FILE_CURRENT), 5'000'000'004LL);
  char ach[4];
  DWORD nRead = 99;
  EXPECT_TRUE(ReadFile(h, ach, 4, &nRead, nullptr));
  EXPECT_EQ(nRead, 0u);
  EXPECT_EQ(SetFilePointer64(h, 0x7FFFFFFFFFFFFFFFLL, FILE_CURRENT), -1);  // would overflow
  EXPECT_EQ(SetFilePointer64(h, 8, FILE_BEGIN), 8);
  EXPECT_TRUE(ReadFile(h, ach, 4, &nRead, nullptr));
  EXPECT_EQ(std::string(ach, nRead), "89");
  CloseHandle(h);
  EXPECT_EQ(ReadFileBytes(dir / "f").size(), 10u);
}
