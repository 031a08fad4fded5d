// The check of one tape file.
#ifndef APP_CHECK_H_
#define APP_CHECK_H_

/// Checks g_strFilePath: opens it (read-only retry after access denied), recognises AWS/HET
/// or FKT, walks its headers, repairs at the first header that is short, malformed or whose
/// block the end of the file cuts short, counts it and prints its result line (with /d, then
/// the details gathered before the repair). False after an open, read or repair error was
/// reported.
bool CheckTapeFile();

/// Empties the block list and closes the tape file, if one is open.
void CloseTapeFile();

#endif  // APP_CHECK_H_
