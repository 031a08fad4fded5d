#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/File.h"
#include "tests/support/TempDir.h"

namespace {
HANDLE Open(const std::string& strPath, DWORD dwAccess) {
  return CreateFileA(strPath.c_str(), dwAccess, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
}
}  // namespace

TEST(FileTest, FailedOpensGiveTheWin32Codes) {
  CTempDir dir;
  WriteFileBytes(dir / "f", "x");
  EXPECT_EQ(Open(dir / "missing", GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open(dir / "nodir/f", GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Open("", GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
  EXPECT_EQ(Open(dir.Path(), GENERIC_READ | GENERIC_WRITE), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

  // No sharing: a second opener is refused while the first holds the file for writing.
  const HANDLE h = Open(dir / "f", GENERIC_READ | GENERIC_WRITE);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open(dir / "f", GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_TRUE(CloseHandle(h));
  const HANDLE h2 = Open(dir / "f", GENERIC_READ | GENERIC_WRITE);
  EXPECT_NE(h2, INVALID_HANDLE_VALUE);
  CloseHandle(h2);
  EXPECT_FALSE(CloseHandle(h2));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(FileTest, BufferedReadsStayCoherentWithSeeksWritesAndTruncation) {
  CTempDir dir;
  std::string strModel(300000, '\0');
  std::uint32_t nSeed = 12345;
  auto Next = [&nSeed](std::uint32_t nRange) {
    nSeed = nSeed * 1103515245u + 12345u;
    return (nSeed >> 8) % nRange;
  };
  for (auto& ch : strModel) ch = static_cast<char>(Next(256));
  WriteFileBytes(dir / "f", strModel);
  const HANDLE h = Open(dir / "f", GENERIC_READ | GENERIC_WRITE);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  std::int64_t nPos = 0;
  std::vector<char> buf(80000);
  std::uint64_t nBytesCompared = 0;
  for (int nStep = 0; nStep < 20000; ++nStep) {
    const std::uint32_t nOp = Next(100);
    if (nOp < 40) {  // skip forward like a walk over block data
      const std::int64_t nDist = nOp < 30 ? Next(100) : Next(70000);
      ASSERT_TRUE(MoveFilePointer(h, nDist, &nPos, FILE_CURRENT));
    } else if (nOp < 45) {
      ASSERT_TRUE(
          MoveFilePointer(h, Next(static_cast<std::uint32_t>(strModel.size()) + 10), &nPos, FILE_BEGIN));
    } else if (nOp < 95) {
      const DWORD nWant = nOp < 94 ? 1 + Next(12) : 1 + Next(80000);
      DWORD nRead = 0;
      ASSERT_TRUE(ReadFile(h, buf.data(), nWant, &nRead, nullptr));
      const std::string strExpected = nPos < static_cast<std::int64_t>(strModel.size())
                                          ? strModel.substr(static_cast<size_t>(nPos), nWant)
                                          : "";
      ASSERT_EQ(std::string(buf.data(), nRead), strExpected) << "step " << nStep << " at " << nPos;
      nPos += nRead;
      nBytesCompared += nRead;
    } else if (nOp < 98 && nPos < static_cast<std::int64_t>(strModel.size())) {
      const std::string strNew(1 + Next(8), static_cast<char>('a' + Next(26)));
      DWORD nWritten = 0;
      ASSERT_TRUE(WriteFile(h, strNew.data(), static_cast<DWORD>(strNew.size()), &nWritten, nullptr));
      strModel.resize(std::max(strModel.size(), static_cast<size_t>(nPos) + strNew.size()));
      strModel.replace(static_cast<size_t>(nPos), strNew.size(), strNew);
      nPos += nWritten;
    } else if (nOp >= 98 && Next(40) == 0 && nPos < static_cast<std::int64_t>(strModel.size())) {
      ASSERT_TRUE(SetEndOfFile(h));
      strModel.resize(static_cast<size_t>(nPos));
    }
  }
  CloseHandle(h);
  EXPECT_EQ(ReadFileBytes(dir / "f"), strModel);
  EXPECT_GT(nBytesCompared, 1000000u);  // the walk really went through the file
}

TEST(FileTest, WriteAndTruncateBehindBufferedReadsAreSeen) {
  CTempDir dir;
  WriteFileBytes(dir / "f", std::string(1000, '.'));
  const HANDLE h = Open(dir / "f", GENERIC_READ | GENERIC_WRITE);
  char ach[32];
  DWORD n = 0;
  std::int64_t nPos = 0;
  ASSERT_TRUE(ReadFile(h, ach, 6, &n, nullptr));  // the window now holds the whole file
  ASSERT_TRUE(MoveFilePointer(h, 10, &nPos, FILE_BEGIN));
  ASSERT_TRUE(WriteFile(h, "XYZ", 3, &n, nullptr));
  ASSERT_TRUE(MoveFilePointer(h, 8, &nPos, FILE_BEGIN));
  ASSERT_TRUE(ReadFile(h, ach, 8, &n, nullptr));
  EXPECT_EQ(std::string(ach, n), "..XYZ...");
  ASSERT_TRUE(MoveFilePointer(h, 50, &nPos, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(h));
  ASSERT_TRUE(MoveFilePointer(h, 40, &nPos, FILE_BEGIN));
  ASSERT_TRUE(ReadFile(h, ach, 20, &n, nullptr));
  EXPECT_EQ(n, 10u);
  ASSERT_TRUE(ReadFile(h, ach, 6, &n, nullptr));
  EXPECT_EQ(n, 0u);
  CloseHandle(h);
}
