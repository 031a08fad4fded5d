#include "platform/File.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace {
HANDLE Open(const std::string& strPath, DWORD dwAccess) {
  return CreateFileA(strPath.c_str(), dwAccess, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
}
}  // namespace

TEST(FileTest, FailedOpensGiveTheWin32Codes) {
  CTempDir dir;
  WriteFileBytes(dir / "f", "x");
  const struct {
    std::string strPath;
    DWORD dwAccess, dwError;
  } cases[] = {{dir / "missing", GENERIC_READ, ERROR_FILE_NOT_FOUND},
               {dir / "nodir/f", GENERIC_READ, ERROR_PATH_NOT_FOUND},
               {"", GENERIC_READ, ERROR_INVALID_NAME},
               {dir.Path(), GENERIC_READ | GENERIC_WRITE, ERROR_ACCESS_DENIED},
               {dir.Path(), GENERIC_READ, ERROR_ACCESS_DENIED}};
  for (const auto& c : cases) {
    EXPECT_EQ(Open(c.strPath, c.dwAccess), INVALID_HANDLE_VALUE) << c.strPath;
    EXPECT_EQ(GetLastError(), c.dwError) << c.strPath;
  }
  // No sharing: a second opener is refused while the first holds the file for writing.
  const HANDLE h = Open(dir / "f", GENERIC_READ | GENERIC_WRITE);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open(dir / "f", GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

// Reads served from the read-ahead window must always show the file as it is, whatever the mix
// of seeks, small and large reads: checked against the file's bytes.
TEST(FileTest, BufferedReadsFollowEverySeek) {
  CTempDir dir;
  std::uint32_t nSeed = 12345;
  auto Next = [&nSeed](std::uint32_t nRange) {
    nSeed = nSeed * 1103515245u + 12345u;
    return (nSeed >> 8) % nRange;
  };
  std::string strFile(300000, '\0');
  for (auto& ch : strFile) ch = static_cast<char>(Next(256));
  WriteFileBytes(dir / "f", strFile);
  const HANDLE h = Open(dir / "f", GENERIC_READ);
  std::int64_t nPos = 0;
  std::vector<char> buf(80000);
  for (int nStep = 0; nStep < 20000; ++nStep) {
    const std::uint32_t nOp = Next(100);
    if (nOp < 40) {  // skip forward like a walk over block data
      ASSERT_TRUE(MoveFilePointer(h, nOp < 30 ? Next(100) : Next(70000), &nPos, FILE_CURRENT));
    } else if (nOp < 45) {
      ASSERT_TRUE(
          MoveFilePointer(h, Next(static_cast<std::uint32_t>(strFile.size()) + 10), &nPos, FILE_BEGIN));
    } else {
      const DWORD nWant = nOp < 99 ? 1 + Next(12) : 1 + Next(80000);
      DWORD nRead = 0;
      ASSERT_TRUE(ReadFile(h, buf.data(), nWant, &nRead, nullptr));
      const std::string strExpected =
          nPos < 300000 ? strFile.substr(static_cast<std::size_t>(nPos), nWant) : "";
      ASSERT_EQ(std::string(buf.data(), nRead), strExpected) << "step " << nStep << " at " << nPos;
      nPos += nRead;
    }
  }
  CloseHandle(h);
}
