// What one tape file becomes: its result line, the exit status and its bytes afterwards.
#include <gtest/gtest.h>

#include "tests/support/E2eTest.h"

namespace {
using CTape = CTapeBuilder;
const std::string kMarkAws("\0\0\0\0\x40\0", 6);
const std::string kMarkFkt = "000000000000";

struct CTapeCase {
  const char* pszWhat;
  std::string strBytes;
  const char* pszPrefix;  // result line under /v
  std::string strAfter;   // the file after a run without /r
};

// The tape without its last nBytes, as a crash or a full disk leaves it.
std::string Cut(const CTape& tape, std::size_t nBytes) {
  return tape.Bytes().substr(0, tape.Size() - nBytes);
}

std::vector<CTapeCase> Cases() {
  const CTape wholeMark = CTape().Whole(100).Tapemark();
  return {
      {"one AWS tapemark", kMarkAws, "OK ", kMarkAws},
      {"one FKT tapemark", kMarkFkt, "OK ", kMarkFkt},
      {"text file", "Hello, world\n", ".. ", "Hello, world\n"},
      {"stray bytes after a tapemark", CTape(wholeMark).Raw("abc").Bytes(), "!! ", wholeMark.Bytes()},
      {"trailing zero bytes", CTape(wholeMark).Raw(std::string(6, '\0')).Bytes(), "!! ", wholeMark.Bytes()},
      {"unfinished chunk run given up", CTape().Whole(100).First(50).Middle(50).Raw("xy").Bytes(), "!! ",
       CTape().Whole(100).Bytes()},
      {"first chunk then invalid header", CTape().First(50).Raw(std::string(6, '\0')).Bytes(), "!! ",
       kMarkAws},
      {"first, last, then a short header", CTape().First(50).Last(20).Raw("\x01\x02").Bytes(), "!! ",
       CTape().First(50).Last(20).Bytes()},
      {"tapemark, first chunk, short header", CTape().Tapemark().First(40).Raw("\x01").Bytes(), "!! ",
       kMarkAws},
      {"FKT with a corrupt third header", CTape(CTape::FKT).Whole(16).Whole(32).Raw("0020001G0030").Bytes(),
       "!! ", CTape(CTape::FKT).Whole(16).Whole(32).Bytes()},
      {"FKT cut inside a header", CTape(CTape::FKT).Whole(16).Tapemark().Raw("00000").Bytes(), "!! ",
       CTape(CTape::FKT).Whole(16).Tapemark().Bytes()},
      {"block without its last chunk", CTape().Whole(10).First(50).Bytes(), "OK ",
       CTape().Whole(10).First(50).Bytes()},
      // The end of the file cuts a block's data short: cut back to the last complete block.
      {"cut inside a whole block", Cut(CTape(wholeMark).Whole(100), 50), "!! ", wholeMark.Bytes()},
      {"cut inside a first chunk", Cut(CTape().Whole(10).First(50), 20), "!! ", CTape().Whole(10).Bytes()},
      {"cut inside a middle chunk", Cut(CTape().Whole(10).First(50).Middle(50), 1), "!! ",
       CTape().Whole(10).Bytes()},
      {"cut inside a last chunk", Cut(CTape().Tapemark().First(50).Last(50), 10), "!! ", kMarkAws},
      {"cut inside a 65,535-byte block", Cut(CTape().Whole(100).Whole(65535), 1), "!! ",
       CTape().Whole(100).Bytes()},
      {"FKT cut inside data", Cut(CTape(CTape::FKT).Whole(16).Whole(32), 5), "!! ",
       CTape(CTape::FKT).Whole(16).Bytes()},
      {"first block cut short", Cut(CTape().Whole(100), 44), ".. ", Cut(CTape().Whole(100), 44)},
      {"HET compressed chunks",
       CTape().Chunk(20, 0xA1).Chunk(30, 0x82).Chunk(9, 0x22).Chunk(5, 0xA0, 0x80).Bytes(), "OK ",
       CTape().Chunk(20, 0xA1).Chunk(30, 0x82).Chunk(9, 0x22).Chunk(5, 0xA0, 0x80).Bytes()},
      {"any file starting with a tapemark", kMarkAws + "control file", "!! ", kMarkAws},
      {"begins with a middle chunk", CTape().Middle(20).Last(5).Raw("x").Bytes(), ".. ",
       CTape().Middle(20).Last(5).Raw("x").Bytes()},
      {"begins with a last chunk", CTape().Last(20).Raw(std::string(6, '\0')).Bytes(), ".. ",
       CTape().Last(20).Raw(std::string(6, '\0')).Bytes()},
      {"AWS with a previous length first", AwsHeader(10, 5, 0xA0, 0) + "0123456789", ".. ",
       AwsHeader(10, 5, 0xA0, 0) + "0123456789"},
      {"too short for an AWS header", std::string("\0\0\0\0\x40", 5), ".. ", std::string("\0\0\0\0\x40", 5)},
      {"too short for an FKT header", "00000000000", ".. ", "00000000000"},
      {"too short for the kind test", std::string("\0\0\0", 3), ".. ", std::string("\0\0\0", 3)},
      {"empty file", "", ".. ", ""},
  };
}

using CCheckE2eTest = CE2eTest;
}  // namespace

// A damaged file is cut back after its last complete block or tapemark; a sound one, a
// cut-short data block and a file that is no tape are never touched.
TEST_F(CCheckE2eTest, EachTapeGivesItsLineAndBytes) {
  for (const auto& c : Cases()) {
    const std::string strPath = Put("t.tape", c.strBytes);
    const bool bDamaged = std::string(c.pszPrefix) == "!! ";
    CToolResult result = Run({"/r", "/v", "t.tape"});
    EXPECT_EQ(result.strOut, Line(bDamaged ? "/r " : c.pszPrefix, "t.tape")) << c.pszWhat;
    EXPECT_EQ(result.nStatus, bDamaged ? 1 : 0) << c.pszWhat;
    EXPECT_EQ(ReadFileBytes(strPath), c.strBytes) << c.pszWhat << ": /r changed the file";

    result = Run({"/v", "t.tape"});
    EXPECT_EQ(result.strOut, Line(c.pszPrefix, "t.tape")) << c.pszWhat;
    EXPECT_EQ(result.strErr, "") << c.pszWhat;
    EXPECT_EQ(result.nStatus, bDamaged ? 1 : 0) << c.pszWhat;
    EXPECT_EQ(ReadFileBytes(strPath), c.strAfter) << c.pszWhat;
    if (bDamaged) {  // a repaired file is a sound tape
      result = Run({"/v", "t.tape"});
      EXPECT_EQ(result.strOut, Line("OK ", "t.tape")) << c.pszWhat;
      EXPECT_EQ(result.nStatus, 0) << c.pszWhat;
    }
  }
}

// Output modes: verbose lists all, default lists damaged only, /q and /p list nothing but
// still repair and count; /p draws only the progress pictures.
TEST_F(CCheckE2eTest, OutputModesChooseTheLinesNotTheWork) {
  const std::string strDamaged = CTape().Whole(100).Tapemark().Raw("abc").Bytes();
  const std::string strFixed = CTape().Whole(100).Tapemark().Bytes();
  Put("ok.aws", strFixed);
  const struct {
    const char* pszMode;
    std::string strOut;
  } modes[] = {
      {"/v", Line("!! ", "bad.aws")},
      {"/q", ""},
      {"/p", "/|\r//\r/-\r/\\\r"},  // one file, three header reads, no result line
  };
  for (const auto& m : modes) {
    Put("bad.aws", strDamaged);
    const CToolResult result = Run({m.pszMode, "bad.aws"});
    EXPECT_EQ(result.strOut, m.strOut) << m.pszMode;
    EXPECT_EQ(result.nStatus, 1) << m.pszMode;
    EXPECT_EQ(ReadFileBytes(m_dir / "bad.aws"), strFixed) << m.pszMode;
  }
  EXPECT_EQ(Run({"ok.aws"}).strOut, "");  // a sound file prints nothing without /v
  Put("bad.aws", strDamaged);
  EXPECT_EQ(Run({"bad.aws"}).strOut, Line("!! ", "bad.aws"));
}

TEST_F(CCheckE2eTest, PercentInAPathPrintsLiterally) {
  Put("50%s%d.aws", CTape().Whole(10).Raw("z").Bytes());
  const CToolResult result = Run({"/v", "50%s%d.aws"});
  EXPECT_EQ(result.strOut, Line("!! ", "50%s%d.aws"));
}

TEST_F(CCheckE2eTest, ExitStatusCountsDamagedFilesUpTo254) {
  const std::string strDamaged = CTape().Whole(10).Raw("z").Bytes();
  Put("a.aws", strDamaged);
  Put("b.aws", strDamaged);
  Put("c.aws", CTape().Whole(10).Bytes());
  EXPECT_EQ(Run({"*.aws"}).nStatus, 2);
  Put("a.aws", strDamaged);
  Put("b.aws", strDamaged);
  EXPECT_EQ(Run({"/r", "*.aws"}).nStatus, 2);
  for (int i = 0; i < 300; ++i) Put("many/" + std::to_string(i) + ".aws", strDamaged);
  EXPECT_EQ(Run({"/q", "many/*"}).nStatus, Status(300));
}

// A repair that cannot write must not pass for a fixed file.
TEST_F(CCheckE2eTest, FailedTruncationIsAnErrorNotAFix) {
  const std::string strDamaged = CTape().Whole(10).Tapemark().Raw("z").Bytes();
  Put("t.aws", strDamaged);
  CToolResult result = RunTool({SeamToolPath(), "--fail-setend", "/v", "t.aws"}, m_dir.Path());
  EXPECT_EQ(result.strOut, "");
  EXPECT_EQ(result.strErr, "** ERROR writing file \"" + (m_dir / "t.aws") +
                               "\": " + FormatLastError(ERROR_ACCESS_DENIED).GetString() + "\n");
  EXPECT_EQ(result.nStatus, Status(-1));
  result = RunTool({SeamToolPath(), "--fail-setend", "/k", "t.aws"}, m_dir.Path());
  EXPECT_EQ(result.nStatus, 1);  // with /k the file still counts as needing a fix
  EXPECT_EQ(ReadFileBytes(m_dir / "t.aws"), strDamaged);
}

// Repairs after thousands of headers served from the read-ahead window cut at the exact offset.
TEST_F(CCheckE2eTest, RepairAfterBufferedReadsCutsAtTheExactOffset) {
  CTape tape;
  for (int i = 0; i < 5000; ++i) tape.Whole(static_cast<std::uint16_t>(1 + i % 200));
  Put("dense.aws", CTape(tape).First(300).Middle(300).Raw("\x01\x02\x03").Bytes());
  EXPECT_EQ(Run({"/v", "dense.aws"}).strOut, Line("!! ", "dense.aws"));
  EXPECT_EQ(ReadFileBytes(m_dir / "dense.aws"), tape.Bytes());
}
