// Tapes written by other tools: sound ones stay sound, the ones damaged inside are cut at their
// first bad header, and copies cut inside a header or inside a block's data are cut back to
// their last complete block.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <vector>

#include "tests/support/E2eTest.h"

#ifndef BRENDIX_REALTAPES
#define BRENDIX_REALTAPES "../shared/realtapes"
#endif

namespace fs = std::filesystem;

namespace {
// Tapes with a malformed header inside, and where the repair must cut them: right after the
// last complete block before it.
const std::map<std::string, std::uintmax_t> kDamagedInside = {
    {"CCOMPR_V0R9M01_CCOMPR.V0R9M01.het", 32981}, {"CHKDSN_V1000_Install_CHKDSN_VS1000.het", 36981},
    {"DFSPC_V1R0M00_DFSPC_V1R0M00.het", 23886},   {"DUCBD_V1R0M00_DUCBD_V1R0M00.het", 21971},
    {"GETDTE_V1R0M00_GETDTE_V1R0M00.het", 7489},
};

struct CHeader {
  std::size_t nOffset;
  std::size_t nEnd;  // where its data ends
  bool bEndsBlock;   // a last chunk, a whole block or a tapemark
};

// The AWS/HET headers of a sound tape, found by stepping over the blocks.
std::vector<CHeader> Headers(const std::string& strTape) {
  std::vector<CHeader> headers;
  for (std::size_t nPos = 0; nPos + 6 <= strTape.size();) {
    const auto nFlags = static_cast<unsigned char>(strTape[nPos + 4]);
    const auto nCur =
        static_cast<unsigned char>(strTape[nPos]) | static_cast<unsigned char>(strTape[nPos + 1]) << 8;
    const std::size_t nEnd = nPos + 6 + (nFlags == 0x40 ? 0 : nCur);
    headers.push_back({nPos, nEnd, (nFlags & 0x60) != 0});
    nPos = nEnd;
  }
  return headers;
}

// Where a repair must cut a tape whose data ends inside the block of header n: after the last
// block before it that is complete.
std::size_t CutBefore(const std::vector<CHeader>& headers, std::size_t n) {
  while (n > 0 && !headers[n - 1].bEndsBlock) --n;
  return n > 0 ? headers[n - 1].nEnd : 6;  // with none left, one tapemark
}

using CRealTapesE2eTest = CE2eTest;
}  // namespace

TEST_F(CRealTapesE2eTest, EachTapeGivesTheResultItsHeadersCallFor) {
  if (!fs::is_directory(BRENDIX_REALTAPES)) GTEST_SKIP() << "no real tapes at " << BRENDIX_REALTAPES;
  int nTapes = 0;
  for (const auto& entry : fs::directory_iterator(BRENDIX_REALTAPES)) {
    const std::string strName = entry.path().filename().string();
    if (strName == "README.md") continue;
    ++nTapes;
    const std::string strOriginal = ReadFileBytes(entry.path().string());
    Put("t.het", strOriginal);
    const auto it = kDamagedInside.find(strName);
    const bool bDamaged = it != kDamagedInside.end();
    EXPECT_EQ(Run({"/v", "t.het"}).strOut, Line(bDamaged ? "!! " : "OK ", "t.het")) << strName;
    const std::string strSound = Bytes("t.het");
    EXPECT_EQ(strSound,
              strOriginal.substr(0, bDamaged ? static_cast<std::size_t>(it->second) : std::string::npos))
        << strName;

    // Cut inside a header or inside a block's data a third, a half and all the way through, as a
    // crash would leave it: cut back to the last complete block before that header.
    const std::vector<CHeader> headers = Headers(strSound);
    for (std::size_t n : {headers.size() / 3, headers.size() / 2, headers.size() - 1}) {
      while (n > 0 && headers[n].nEnd - headers[n].nOffset < 8) --n;  // a block with data to cut into
      for (const std::size_t nCut :
           {headers[n].nOffset + 3, (headers[n].nOffset + 6 + headers[n].nEnd) / 2}) {
        Put("t.het", strSound.substr(0, nCut));
        EXPECT_EQ(Run({"/v", "t.het"}).strOut, Line("!! ", "t.het")) << strName << " cut at " << nCut;
        EXPECT_EQ(Bytes("t.het"), strSound.substr(0, CutBefore(headers, n))) << strName << " cut at " << nCut;
      }
    }
  }
  EXPECT_GT(nTapes, 0);
}
