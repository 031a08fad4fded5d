// Writes the example tapes listed in examples.tapes into the directory given as the only argument.
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/TapeText.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_examples DIR\n");
    return 2;
  }
  std::ifstream in(BRENDIX_EXAMPLES);
  for (std::string str; std::getline(in, str);) {
    const std::size_t nIs = str.find(" = ");
    if (str.empty() || str[0] == '#' || nIs == std::string::npos) continue;
    std::ofstream out(std::string(argv[1]) + "/" + str.substr(0, nIs), std::ios::binary | std::ios::trunc);
    if (!(out << Tape(str.substr(nIs + 3)))) return 1;
  }
  return in.eof() ? 0 : 1;
}
