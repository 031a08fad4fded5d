// Writes the small example tapes of examples/ into the directory given as the only argument.
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/TapeText.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_examples DIR\n");
    return 2;
  }
  const struct {
    const char* pszName;
    const char* pszTape;
  } examples[] = {
      // Two tape files: labels as whole blocks, a block split into three chunks, tapemarks.
      {"clean.aws", "W80 W80 T F400 M400 L200 W120 T W80 T T"},
      // HET: zlib and bzip2 marks in flags1, a zlib mark in flags2, a compressed chunk run.
      {"compressed.het", "A0:80 A1:300 A2:250 81:500 21:100 A0/80:64 T T"},
      {"clean.fkt", "fkt W80 W80 T W1000 W32 T T"},
      // A copy cancelled in the middle of writing a header, after an unfinished chunk run.
      {"damaged.aws", "W80 T W200 F300 M300 \"\\x2C\\x01\\x2C\""},
      // A crash that left the next FKT header cut short.
      {"damaged.fkt", "fkt W80 W80 T W40 \"0028\""},
      {"notes.txt", "\"Tape library notes: not a tape file.\\n\""},
  };
  for (const auto& example : examples) {
    std::ofstream out(std::string(argv[1]) + "/" + example.pszName, std::ios::binary | std::ios::trunc);
    out << Tape(example.pszTape);
    if (!out) return 1;
  }
  return 0;
}
