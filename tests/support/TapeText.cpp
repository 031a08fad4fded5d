#include "tests/support/TapeText.h"

#include <cctype>
#include <cstdio>
#include <random>
#include <stdexcept>

std::string AwsHeader(std::uint16_t nCur, std::uint16_t nPrv, std::uint8_t nFlags1, std::uint8_t nFlags2) {
  const char ach[6] = {static_cast<char>(nCur & 0xFF), static_cast<char>(nCur >> 8),
                       static_cast<char>(nPrv & 0xFF), static_cast<char>(nPrv >> 8),
                       static_cast<char>(nFlags1),     static_cast<char>(nFlags2)};
  return std::string(ach, 6);
}

std::string Unescape(const std::string& strText) {
  std::string str;
  for (std::size_t i = 0; i < strText.size(); ++i) {
    if (strText[i] != '\\' || i + 1 == strText.size()) {
      str += strText[i];
      continue;
    }
    const char ch = strText[++i];
    if (ch == 'x') {
      str += static_cast<char>(std::stoi(strText.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      str += ch == '0' ? '\0' : ch == 'r' ? '\r' : ch == 'n' ? '\n' : ch;
    }
  }
  return str;
}

namespace {
struct CTapeWriter {
  const std::map<std::string, std::string>& named;
  bool bFkt = false;
  std::uint16_t nPrv = 0;
  std::string str;

  // FKT headers are twelve characters, previous length first, then current length and check.
  void Chunk(unsigned nLen, unsigned nFlags1, unsigned nFlags2 = 0) {
    char szFkt[13];
    std::snprintf(szFkt, sizeof szFkt, "%04X%04X%04X", nPrv, nLen, nPrv ^ nLen);
    str += bFkt ? szFkt
                : AwsHeader(static_cast<std::uint16_t>(nLen), nPrv, static_cast<std::uint8_t>(nFlags1),
                            static_cast<std::uint8_t>(nFlags2));
    for (unsigned i = 0; i < nLen; ++i) str += static_cast<char>('A' + i % 26);
    nPrv = static_cast<std::uint16_t>(nLen);
  }

  void Word(const std::string& strWord) {
    const char ch = strWord[0];
    const std::string strRest = strWord.substr(1);
    unsigned nFlags1 = 0, nFlags2 = 0, nLen = 0, nAt = 0;
    char chSign = 0;
    if (strWord == "fkt") {
      bFkt = true;
    } else if (strWord == "T") {
      Chunk(0, 0x40);
    } else if (ch == '"') {
      str += Unescape(strWord.substr(1, strWord.size() - 2));
    } else if (ch == '$') {
      str += named.at(strRest);
    } else if (ch == '-') {
      str.resize(str.size() - std::stoul(strRest));
    } else if (ch == 'J') {
      std::mt19937 gen(15);
      for (unsigned long n = std::stoul(strRest); n > 0; --n) str += static_cast<char>(gen() & 0xFF);
    } else if (ch == '@' && std::sscanf(strRest.c_str(), "%u%c%u", &nAt, &chSign, &nLen) == 3 &&
               (chSign == '-' || chSign == '+')) {
      chSign == '-' ? str.erase(nAt, nLen) : str.insert(nAt, nLen, '\r');
    } else if (std::string("WFLM").find(ch) != std::string::npos && std::isdigit(strRest[0])) {
      const unsigned anFlags1[] = {0xA0, 0x80, 0x20, 0x00};
      Chunk(static_cast<unsigned>(std::stoul(strRest)), anFlags1[std::string("WFLM").find(ch)]);
    } else if (std::sscanf(strWord.c_str(), "%x/%x:%u", &nFlags1, &nFlags2, &nLen) == 3 ||
               std::sscanf(strWord.c_str(), "%x:%u", &nFlags1, &nLen) == 2) {
      Chunk(nLen, nFlags1, nFlags2);
    } else {
      throw std::invalid_argument("unknown tape word: " + strWord);
    }
  }
};

}  // namespace

// Words are parted by blanks; a quoted word may hold blanks and escaped quotes.
std::string Tape(const std::string& strText, const std::map<std::string, std::string>& named) {
  CTapeWriter writer{named, false, 0, {}};
  std::string strWord;
  bool bQuoted = false;
  for (std::size_t i = 0; i <= strText.size(); ++i) {
    if (i < strText.size() && (strText[i] != ' ' || bQuoted)) {
      bQuoted ^= strText[i] == '"';
      if (strText[i] == '\\' && i + 1 < strText.size()) strWord += strText[i++];
      strWord += strText[i];
    } else if (!strWord.empty()) {
      const std::size_t nStar = strWord[0] == '"' ? std::string::npos : strWord.find('*');
      const unsigned long nTimes = nStar == std::string::npos ? 1 : std::stoul(strWord.substr(nStar + 1));
      for (unsigned long n = 0; n < nTimes; ++n) writer.Word(strWord.substr(0, nStar));
      strWord.clear();
    }
  }
  return writer.str;
}
