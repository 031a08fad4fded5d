// What one tape file becomes: its result line, the exit status and its bytes afterwards.
#include <gtest/gtest.h>

#include "tests/support/E2eTest.h"

namespace {
using CTape = CTapeBuilder;
const std::string kMarkAws("\0\0\0\0\x40\0", 6);
const std::string kMarkFkt = "000000000000";

// The tape without its last nBytes, as a crash or a full disk leaves it.
std::string Cut(const CTape& tape, std::size_t nBytes) {
  return tape.Bytes().substr(0, tape.Size() - nBytes);
}

struct CTapeCase {
  const char* pszWhat;
  std::string strBytes;
  const char* pszPrefix;  // the result line under /v without /r
  std::string strAfter;   // the file after a run without /r
};

std::vector<CTapeCase> Cases() {
  const CTape wholeMark = CTape().Whole(100).Tapemark();
  const std::string strZeros(6, '\0');
  return {
      {"one AWS tapemark", kMarkAws, "OK ", kMarkAws},
      {"one FKT tapemark", kMarkFkt, "OK ", kMarkFkt},
      {"text file", "Hello, world\n", ".. ", "Hello, world\n"},
      {"stray bytes after a tapemark", CTape(wholeMark).Raw("abc").Bytes(), "!! ", wholeMark.Bytes()},
      {"trailing zero bytes", CTape(wholeMark).Raw(strZeros).Bytes(), "!! ", wholeMark.Bytes()},
      {"unfinished chunk run given up", CTape().Whole(100).First(50).Middle(50).Raw("xy").Bytes(), "!! ",
       CTape().Whole(100).Bytes()},
      {"first chunk then invalid header", CTape().First(50).Raw(strZeros).Bytes(), "!! ", kMarkAws},
      {"first, last, then a short header", CTape().First(50).Last(20).Raw("\x01\x02").Bytes(), "!! ",
       CTape().First(50).Last(20).Bytes()},
      {"tapemark, first chunk, short header", CTape().Tapemark().First(40).Raw("\x01").Bytes(), "!! ",
       kMarkAws},
      {"a header without its last byte",
       CTape().Whole(10).Raw(AwsHeader(0, 10, 0x40, 0).substr(0, 5)).Bytes(), "!! ",
       CTape().Whole(10).Bytes()},
      {"FKT with a corrupt third header", CTape(CTape::FKT).Whole(16).Whole(32).Raw("0020001G0030").Bytes(),
       "!! ", CTape(CTape::FKT).Whole(16).Whole(32).Bytes()},
      {"FKT cut inside a header", CTape(CTape::FKT).Whole(16).Tapemark().Raw("00000").Bytes(), "!! ",
       CTape(CTape::FKT).Whole(16).Tapemark().Bytes()},
      {"block without its last chunk", CTape().Whole(10).First(50).Bytes(), "OK ",
       CTape().Whole(10).First(50).Bytes()},
      {"HET compressed chunks",
       CTape().Chunk(20, 0xA1).Chunk(30, 0x82).Chunk(9, 0x22).Chunk(5, 0xA0, 0x80).Bytes(), "OK ",
       CTape().Chunk(20, 0xA1).Chunk(30, 0x82).Chunk(9, 0x22).Chunk(5, 0xA0, 0x80).Bytes()},
      {"any file starting with a tapemark", kMarkAws + "control file", "!! ", kMarkAws},
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
      // Files that are no tape are never touched.
      {"first block cut short", Cut(CTape().Whole(100), 44), ".. ", Cut(CTape().Whole(100), 44)},
      {"begins with a middle chunk", CTape().Middle(20).Last(5).Raw("x").Bytes(), ".. ",
       CTape().Middle(20).Last(5).Raw("x").Bytes()},
      {"begins with a last chunk", CTape().Last(20).Raw(strZeros).Bytes(), ".. ",
       CTape().Last(20).Raw(strZeros).Bytes()},
      {"zero bytes 2 and 3, no valid header", std::string("\x02\0\0\0\x0C\0ab", 8), ".. ",
       std::string("\x02\0\0\0\x0C\0ab", 8)},
      {"AWS with a previous length first", AwsHeader(10, 5, 0xA0, 0) + "0123456789", ".. ",
       AwsHeader(10, 5, 0xA0, 0) + "0123456789"},
      {"FKT-like with 0100 first", "010000000100", ".. ", "010000000100"},
      {"too short for an AWS header", kMarkAws.substr(0, 5), ".. ", kMarkAws.substr(0, 5)},
      {"too short for an FKT header", "00000000000", ".. ", "00000000000"},
      {"too short for the kind test", kMarkAws.substr(0, 3), ".. ", kMarkAws.substr(0, 3)},
  };
}

using CCheckE2eTest = CE2eTest;
}  // namespace

// With /r a damaged file is reported and left alone; without, it is cut back after its last
// complete block or tapemark and a second run finds it sound.
TEST_F(CCheckE2eTest, EachTapeGivesItsLineAndBytes) {
  for (const auto& c : Cases()) {
    const bool bDamaged = std::string(c.pszPrefix) == "!! ";
    Put("t.tape", c.strBytes);
    CToolResult result = Run({"/r", "/v", "t.tape"});
    EXPECT_EQ(result.strOut, Line(bDamaged ? "/r " : c.pszPrefix, "t.tape")) << c.pszWhat;
    EXPECT_EQ(result.nStatus, bDamaged ? 1 : 0) << c.pszWhat;
    EXPECT_EQ(Bytes("t.tape"), c.strBytes) << c.pszWhat << ": /r changed the file";
    result = Run({"/v", "t.tape"});
    EXPECT_EQ(result.strOut + result.strErr, Line(c.pszPrefix, "t.tape")) << c.pszWhat;
    EXPECT_EQ(result.nStatus, bDamaged ? 1 : 0) << c.pszWhat;
    EXPECT_EQ(Bytes("t.tape"), c.strAfter) << c.pszWhat;
    if (bDamaged) {
      EXPECT_EQ(Run({"/v", "t.tape"}).strOut, Line("OK ", "t.tape")) << c.pszWhat;
    }
  }
}

// The output options choose the lines, never the work; the last of /v, /q and /p wins.
TEST_F(CCheckE2eTest, OutputOptionsChooseTheLinesNotTheWork) {
  const std::string strDamaged = CTape().Whole(100).Tapemark().Raw("abc").Bytes();
  const std::string strPictures = "/|\r//\r/-\r/\\\r";  // one file, three header reads
  const struct {
    std::vector<std::string> args;
    std::string strOut;
  } cases[] = {
      {{"/v"}, Line("!! ", "bad.aws")},
      {{}, Line("!! ", "bad.aws")},
      {{"/q"}, ""},
      {{"/p"}, strPictures},
      {{"/v", "/p"}, strPictures},
      {{"/p", "-V"}, Line("!! ", "bad.aws")},
      {{"/p", "/Q"}, ""},
  };
  for (const auto& c : cases) {
    Put("bad.aws", strDamaged);
    std::vector<std::string> args = c.args;
    args.push_back("bad.aws");
    const CToolResult result = Run(args);
    EXPECT_EQ(result.strOut, c.strOut) << args[0];
    EXPECT_EQ(result.nStatus, 1) << args[0];
    EXPECT_EQ(Bytes("bad.aws"), CTape().Whole(100).Tapemark().Bytes()) << args[0];
  }
  Put("text", "no tape");  // without /v, sound files and files that are no tape print nothing
  EXPECT_EQ(Run({"*"}).strOut, "");
}

TEST_F(CCheckE2eTest, PercentInAPathPrintsLiterally) {
  Put("50%s%d.aws", kDamaged);
  EXPECT_EQ(Run({"/v", "50%s%d.aws"}).strOut, Line("!! ", "50%s%d.aws"));
}

TEST_F(CCheckE2eTest, ExitStatusCountsDamagedFilesUpTo254) {
  for (int i = 0; i < 300; ++i) Put("many/" + std::to_string(i) + ".aws", i % 100 == 0 ? kSound : kDamaged);
  EXPECT_EQ(Run({"/r", "/q", "many/*"}).nStatus, Status(297));
  EXPECT_EQ(Run({"/q", "many/1?.aws"}).nStatus, 10);
  EXPECT_EQ(Run({"/q", "many/1?.aws"}).nStatus, 0);
}

// Repairs after thousands of headers served from the read-ahead window cut at the exact offset.
TEST_F(CCheckE2eTest, RepairAfterBufferedReadsCutsAtTheExactOffset) {
  CTape tape;
  for (int i = 0; i < 5000; ++i) tape.Whole(static_cast<std::uint16_t>(1 + i % 200));
  Put("dense.aws", CTape(tape).First(300).Middle(300).Raw("\x01\x02\x03").Bytes());
  EXPECT_EQ(Run({"/v", "dense.aws"}).strOut, Line("!! ", "dense.aws"));
  EXPECT_EQ(Bytes("dense.aws"), tape.Bytes());
  Put("dense.aws", CTape(tape).Raw("z").Bytes());  // the system hands over a few bytes at a time
  EXPECT_EQ(Run({"--short-reads", "/v", "dense.aws"}).strOut, Line("!! ", "dense.aws"));
  EXPECT_EQ(Bytes("dense.aws"), tape.Bytes());
}

// A failed system call is an error line, never a fixed file (the program with faults injected).
TEST_F(CCheckE2eTest, FailedCallsAreErrorLinesAndChangeNothing) {
  CTape bigBlocks;
  for (int i = 0; i < 10; ++i) bigBlocks.Whole(10000);  // more than the first read-ahead holds
  const struct {
    const char* pszFault;
    std::string strTape, strErr;
  } cases[] = {
      {"--fail-setend", kDamaged, ErrorLine("writing", "t.aws", ERROR_ACCESS_DENIED)},
      {"--fail-write", CTape().First(10).Raw("z").Bytes(), ErrorLine("writing", "t.aws", ERROR_DISK_FULL)},
      {"--fail-read-after=1", CTape(bigBlocks).Raw("z").Bytes(),
       ErrorLine("reading", "t.aws", ERROR_IO_DEVICE)},
      {"--fail-read-after=0", kDamaged, ErrorLine("reading", "t.aws", ERROR_IO_DEVICE)},
  };
  for (const auto& c : cases) {
    for (const char* pszKeepGoing : {"/v", "/k"}) {
      Put("t.aws", c.strTape);
      const CToolResult result = Run({c.pszFault, pszKeepGoing, "t.aws"});
      EXPECT_EQ(result.strErr, c.strErr) << c.pszFault;
      EXPECT_EQ(result.strOut, "") << c.pszFault;
      // A failed repair still counts the file with /k; a failed read does not.
      const bool bRepair = std::string(c.pszFault).find("read") == std::string::npos;
      EXPECT_EQ(result.nStatus, pszKeepGoing[1] == 'k' ? (bRepair ? 1 : 0) : Status(-1)) << c.pszFault;
      EXPECT_EQ(Bytes("t.aws"), c.strTape) << c.pszFault;
    }
  }
  Put("t.aws", kDamaged);  // a file that refuses writing is checked read-only
  EXPECT_EQ(Run({"--fail-write-open", "/v", "t.aws"}).strOut, Line("/r ", "t.aws"));
  EXPECT_EQ(Bytes("t.aws"), kDamaged);
}
