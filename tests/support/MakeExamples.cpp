// Writes the small example tapes of examples/ into the directory given as the only argument.
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/TapeBuilder.h"

namespace {
bool Write(const std::string& strDir, const char* pszName, const std::string& strBytes) {
  std::ofstream out(strDir + "/" + pszName, std::ios::binary | std::ios::trunc);
  out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
  return static_cast<bool>(out);
}
}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_examples DIR\n");
    return 2;
  }
  const std::string strDir = argv[1];
  using CTape = CTapeBuilder;
  // Two tape files: labels as whole blocks, a block split into three chunks, tapemarks.
  CTape clean;
  clean.Whole(80).Whole(80).Tapemark().First(400).Middle(400).Last(200);
  clean.Whole(120).Tapemark().Whole(80).Tapemark().Tapemark();
  // HET: zlib and bzip2 marks in flags1, a zlib mark in flags2, a compressed chunk run.
  CTape het;
  het.Chunk(80, 0xA0).Chunk(300, 0xA1).Chunk(250, 0xA2).Chunk(500, 0x81).Chunk(100, 0x21);
  het.Chunk(64, 0xA0, 0x80).Tapemark().Tapemark();
  CTape fkt(CTape::FKT);
  fkt.Whole(80).Whole(80).Tapemark().Whole(1000).Whole(32).Tapemark().Tapemark();
  // A copy cancelled in the middle of writing a header, after an unfinished chunk run.
  CTape damagedAws;
  damagedAws.Whole(80).Tapemark().Whole(200).First(300).Middle(300).Raw(std::string("\x2C\x01\x2C", 3));
  // A crash that left the next FKT header cut short.
  CTape damagedFkt(CTape::FKT);
  damagedFkt.Whole(80).Whole(80).Tapemark().Whole(40).Raw("0028");
  const bool bOk = Write(strDir, "clean.aws", clean.Bytes()) &&
                   Write(strDir, "compressed.het", het.Bytes()) && Write(strDir, "clean.fkt", fkt.Bytes()) &&
                   Write(strDir, "damaged.aws", damagedAws.Bytes()) &&
                   Write(strDir, "damaged.fkt", damagedFkt.Bytes()) &&
                   Write(strDir, "notes.txt", "Tape library notes: not a tape file.\n");
  return bOk ? 0 : 1;
}
