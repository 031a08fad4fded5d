// The test that a header field holds a hexadecimal number, and the value of one digit.
#ifndef SUPPORT_ISHEXSTRING_H_
#define SUPPORT_ISHEXSTRING_H_

/// True exactly when the text has 1 to 4 characters and each is a hexadecimal digit
/// (0-9, A-F, a-f). False for an empty text, blanks, signs and "0x" prefixes.
/// nFlags is reserved and must be 0.
bool IsHexString(const char* pszText, int nFlags);

/// The value of a hexadecimal digit (either case), or -1 for any other character.
int HexDigitValue(char ch);

#endif  // SUPPORT_ISHEXSTRING_H_
