// Tape images written as text, so that a test case reads like the tape it describes.
#ifndef TESTS_SUPPORT_TAPETEXT_H_
#define TESTS_SUPPORT_TAPETEXT_H_

#include <cstdint>
#include <map>
#include <string>

/// The bytes of a tape given as words, left to right:
///   W100 F100 M100 L100   a whole block, a first, middle or last chunk of 100 data bytes
///   T                     a tapemark
///   A1/80:20  A1:20       a chunk of 20 data bytes with these flag bytes (hex; flags2 0 if left out)
///   "ab\x01\0\r\n"        these bytes
///   J4000                 4000 bytes no writer leaves (the same ones every time)
///   -5                    the last 5 bytes cut off
///   @1200-2  @1200+2      2 bytes taken out at offset 1200, or 2 bytes '\r' put in there
///   $name                 the tape named so in named
///   T*5  W17*3000         repeated
/// "fkt" as the first word makes the chunks FKT headers; the first header has previous length 0.
std::string Tape(const std::string& strText, const std::map<std::string, std::string>& named = {});

/// The six AWS header bytes, written out independently of the program's header classes.
std::string AwsHeader(std::uint16_t nCur, std::uint16_t nPrv, std::uint8_t nFlags1, std::uint8_t nFlags2);

/// Text with the escapes \xHH, \0, \r, \n, \\ and \" turned into their bytes.
std::string Unescape(const std::string& strText);

#endif  // TESTS_SUPPORT_TAPETEXT_H_
