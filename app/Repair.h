// The repair of a damaged tape file, called by the check at the first bad header.
#ifndef APP_REPAIR_H_
#define APP_REPAIR_H_

#include <cstdint>

/// Where a fix cuts the file: after the last record of g_ChunkArray that ends a block or is a
/// tapemark, so that the chunks of a block that never got its last chunk are given up. 0 when
/// no record does: then a fix rewrites the file as one tapemark of its kind. Reads only the list.
std::int64_t FindCutPoint();

/// Cuts the open file at FindCutPoint(), or rewrites it as one tapemark of its kind when that
/// is 0. Does nothing on a file open read-only; leaves the block list as it is.
/// Returns false, with the last error set, when a seek, write or truncation failed, or when the
/// file's size is no longer g_nFileSize (ERROR_SHARING_VIOLATION): then nothing is changed.
bool RepairTapeFile();

#endif  // APP_REPAIR_H_
