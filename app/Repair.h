// The repair of a damaged tape file, called by the check at the first bad header.
#ifndef APP_REPAIR_H_
#define APP_REPAIR_H_

/// Cuts the open file after the last record of g_ChunkArray that ends a block or is a
/// tapemark, dropping unfinished chunks from the list's end; with none left, rewrites the file
/// as one tapemark of its kind. Does nothing on a file open read-only.
/// Returns false, with the last error set, when a seek, write or truncation failed, or when the
/// file's size is no longer g_nFileSize (ERROR_SHARING_VIOLATION): then nothing is changed.
bool RepairTapeFile();

#endif  // APP_REPAIR_H_
