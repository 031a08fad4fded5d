// The check of one tape file, and the repair it calls at the first bad header.
#ifndef APP_CHECK_H_
#define APP_CHECK_H_

/// Checks g_strFilePath: opens it (read-only retry after access denied), recognises AWS/HET
/// or FKT, walks its headers, repairs at the first short or malformed header, counts it and
/// prints its result line. False after an open, read or repair error was reported.
bool CheckTapeFile();

/// Empties the block list and closes the tape file, if one is open.
void CloseTapeFile();

/// Cuts the open file after the last record of g_ChunkArray that ends a block or is a
/// tapemark, dropping unfinished chunks from the list's end; with none left, rewrites the file
/// as one tapemark of its kind. Does nothing on a file open read-only.
/// Returns false, with the last error set, when a seek, write or truncation failed.
bool RepairTapeFile();

#endif  // APP_CHECK_H_
