// /d: where the damage lies, what a fix keeps, and whether the tape goes on after it.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/E2eTest.h"

namespace {
using CTape = CTapeBuilder;

// Chunks of 1100 (0x44C) bytes: a header read a byte or two off its place then holds 0x04 or
// 'A' (0x41) in a flag byte and is malformed, as on the real tapes.
const CTape kAws = CTape()
                       .Whole(1100)   // 0
                       .Tapemark()    // 1106
                       .First(1100)   // 1112
                       .Middle(1100)  // 2218
                       .Last(1100)    // 3324
                       .Whole(1100)   // 4430
                       .Tapemark()    // 5536
                       .Whole(20)     // 5542
                       .Whole(20)     // 5568
                       .Tapemark();   // 5594, ends at 5600
const CTape kHet = CTape().Chunk(1100, 0x81).Chunk(1100, 0x01).Chunk(1100, 0x21).Whole(20).Tapemark();
const CTape kFkt = CTape(CTape::FKT).Whole(1100).Whole(1100).Tapemark().Whole(20).Whole(20).Tapemark();

// The tape with nShift bytes taken out of its data at nAt, or with nShift bytes put in there.
std::string Shift(std::string str, std::size_t nAt, int nShift) {
  return nShift < 0 ? str.erase(nAt, static_cast<std::size_t>(-nShift)) : str.insert(nAt, nShift, '\r');
}

struct CDetailCase {
  const char* pszWhat;
  std::string strBytes;
  std::vector<std::string> lines;  // after the "/r " line, without their indent
};

std::vector<CDetailCase> Cases() {
  std::mt19937 gen(15);  // bytes no writer leaves: a fixed pseudo-random run
  std::string strJunk(4000, '\0');
  for (char& ch : strJunk) ch = static_cast<char>(gen() & 0xFF);
  return {
      {"first chunk 1 byte short",
       Shift(kAws.Bytes(), 1200, -1),
       {"damaged at offset 2218 (tape file 1); a fix keeps 1112 of 5599 bytes",
        "resumes at offset 2217: the chunk at offset 1112 is 1 byte short",
        "a fix would lose 4 blocks, 2 tapemarks, 4487 bytes"}},
      {"middle chunk 2 bytes long",
       Shift(kAws.Bytes(), 3000, 2),
       {"damaged at offset 3324 (tape file 1); a fix keeps 1112 of 5602 bytes",
        "resumes at offset 3326: the chunk at offset 2218 is 2 bytes long",
        "a fix would lose 4 blocks, 2 tapemarks, 4490 bytes"}},
      {"last chunk 2 bytes short",
       Shift(kAws.Bytes(), 3400, -2),
       {"damaged at offset 4430 (tape file 1); a fix keeps 4430 of 5598 bytes",
        "resumes at offset 4428: the chunk at offset 3324 is 2 bytes short",
        "a fix would lose 3 blocks, 2 tapemarks, 1168 bytes"}},
      {"block before a tapemark 1 byte long",
       Shift(kAws.Bytes(), 5000, 1),
       {"damaged at offset 5536 (tape file 1); a fix keeps 5536 of 5601 bytes",
        "resumes at offset 5537: the chunk at offset 4430 is 1 byte long",
        "a fix would lose 2 blocks, 2 tapemarks, 65 bytes"}},
      {"two damages passed",
       Shift(Shift(kAws.Bytes(), 5000, 1), 50, -1),
       {"damaged at offset 1106 (tape file 0); a fix keeps 1106 of 5600 bytes",
        "resumes at offset 1105: the chunk at offset 0 is 1 byte short",
        "resumes at offset 5536: the chunk at offset 4429 is 1 byte long",
        "a fix would lose 4 blocks, 3 tapemarks, 4494 bytes"}},
      {"damages closer than three headers",
       Shift(Shift(kAws.Bytes(), 5000, 1), 1200, -1),
       {"damaged at offset 2218 (tape file 1); a fix keeps 1112 of 5600 bytes",
        "no resumption found after offset 2218"}},
      {"a second damage not passed",
       Shift(kAws.Bytes(), 1200, -1) + "xyz",
       {"damaged at offset 2218 (tape file 1); a fix keeps 1112 of 5602 bytes",
        "resumes at offset 2217: the chunk at offset 1112 is 1 byte short",
        "no resumption found after offset 5599"}},
      {"HET first chunk 1 byte long",
       Shift(kHet.Bytes(), 500, 1),
       {"damaged at offset 1106 (tape file 0); a fix keeps 0 of 3351 bytes and writes one tapemark",
        "resumes at offset 1107: the chunk at offset 0 is 1 byte long",
        "a fix would lose 2 blocks, 1 tapemarks, 3351 bytes"}},
      {"FKT block 2 bytes short",
       Shift(kFkt.Bytes(), 1500, -2),
       {"damaged at offset 2224 (tape file 0); a fix keeps 2224 of 2310 bytes",
        "resumes at offset 2222: the chunk at offset 1112 is 2 bytes short",
        "a fix would lose 2 blocks, 2 tapemarks, 86 bytes"}},
      {"FKT block 1 byte long",
       Shift(kFkt.Bytes(), 50, 1),
       {"damaged at offset 1112 (tape file 0); a fix keeps 1112 of 2313 bytes",
        "resumes at offset 1113: the chunk at offset 0 is 1 byte long",
        "a fix would lose 3 blocks, 2 tapemarks, 1201 bytes"}},
      {"chain ends inside a block",
       Shift(CTape().Whole(1100).First(20).Bytes(), 50, -1),
       {"damaged at offset 1106 (tape file 0); a fix keeps 1106 of 1131 bytes",
        "no resumption found after offset 1106"}},
      {"next header names another length",
       CTape().Whole(100).Raw("\r").Bytes() +
           CTape().Whole(50).Whole(20).Whole(20).Whole(20).Bytes().substr(56),
       {"damaged at offset 106 (tape file 0); a fix keeps 106 of 185 bytes",
        "no resumption found after offset 106"}},
      {"junk after the damage",
       CTape().Whole(100).Whole(50).Raw(strJunk).Bytes(),
       {"damaged at offset 162 (tape file 0); a fix keeps 162 of 4162 bytes",
        "no resumption found after offset 162"}},
      {"damaged last header",
       CTape().Whole(100).Tapemark().Raw("abc").Bytes(),
       {"damaged at offset 112 (tape file 1); a fix keeps 112 of 115 bytes",
        "no resumption found after offset 112"}},
      {"nothing complete is left",
       CTape().First(50).Raw(std::string(6, '\0')).Bytes(),
       {"damaged at offset 56 (tape file 0); a fix keeps 0 of 62 bytes and writes one tapemark",
        "no resumption found after offset 56"}},
      {"cut inside the last block",
       CTape().Whole(100).Tapemark().Whole(100).Bytes().substr(0, 168),
       {"damaged at offset 112 (tape file 1); a fix keeps 112 of 168 bytes",
        "the file ends inside the block at offset 112: 50 of its 100 data bytes are present"}},
      {"FKT cut inside the last block",
       CTape(CTape::FKT).Whole(16).Whole(32).Bytes().substr(0, 67),
       {"damaged at offset 28 (tape file 0); a fix keeps 28 of 67 bytes",
        "the file ends inside the block at offset 28: 27 of its 32 data bytes are present"}},
  };
}

std::string Indented(const std::vector<std::string>& lines) {
  std::string str;
  for (const auto& strLine : lines) str += "   " + strLine + "\n";
  return str;
}

// The wording after a fix: "a fix keeps K of N bytes" becomes "kept K of N bytes".
std::string AfterFix(std::string str) {
  str.replace(str.find("a fix keeps "), 12, "kept ");
  const std::size_t nAt = str.find(" and writes one tapemark");
  return nAt == std::string::npos ? str : str.replace(nAt, 24, ", wrote one tapemark");
}

using CDetailE2eTest = CE2eTest;
}  // namespace

// A read-only run tells the cut a fix makes, to the byte, and leaves the file alone; the fix
// then cuts there and tells the same.
TEST_F(CDetailE2eTest, DetailsTellTheDamageAndTheCutAFixMakes) {
  for (const auto& c : Cases()) {
    const std::string strPath = Put("t.tape", c.strBytes);
    const std::string strDetails = Indented(c.lines);
    CToolResult result = Run({"/r", "/d", "t.tape"});
    EXPECT_EQ(result.strOut, Line("/r ", "t.tape") + strDetails) << c.pszWhat;
    EXPECT_EQ(result.nStatus, 1) << c.pszWhat;
    EXPECT_EQ(ReadFileBytes(strPath), c.strBytes) << c.pszWhat << ": /d changed the file";

    result = Run({"-D", "t.tape"});
    EXPECT_EQ(result.strOut, Line("!! ", "t.tape") + AfterFix(strDetails)) << c.pszWhat;
    const std::size_t nKeep = std::stoul(strDetails.substr(strDetails.find("keeps ") + 6));
    const std::size_t nMark = c.strBytes.compare(0, 4, "0000") == 0 ? 12 : 6;
    EXPECT_EQ(ReadFileBytes(strPath).size(), nKeep > 0 ? nKeep : nMark) << c.pszWhat;
  }
}

// The details follow a damaged file's result line only: none where that line is not printed,
// none after "OK " or ".. ", and without /d the output is as it always was.
TEST_F(CDetailE2eTest, DetailsOnlyWithTheirResultLine) {
  const std::string strDamaged = Shift(kAws.Bytes(), 1200, -1);
  for (const char* pszMode : {"/q", "/p"}) {
    Put("t.aws", strDamaged);
    const CToolResult result = Run({"/d", pszMode, "t.aws"});
    EXPECT_EQ(result.strOut.find("   "), std::string::npos) << pszMode;
    EXPECT_EQ(ReadFileBytes(m_dir / "t.aws"), strDamaged.substr(0, 1112)) << pszMode;
  }
  Put("t.aws", strDamaged);
  EXPECT_EQ(Run({"/r", "t.aws"}).strOut, Line("/r ", "t.aws"));
  Put("sound.aws", kAws.Bytes());
  Put("notes.txt", "no tape\n");
  EXPECT_EQ(Run({"/d", "/v", "/r", "sound.aws"}).strOut, Line("OK ", "sound.aws"));
  EXPECT_EQ(Run({"/d", "/v", "notes.txt"}).strOut, Line(".. ", "notes.txt"));
}
