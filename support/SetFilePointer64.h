// A 64-bit file-pointer move that answers the new position directly.
#ifndef SUPPORT_SETFILEPOINTER64_H_
#define SUPPORT_SETFILEPOINTER64_H_

#include <cstdint>

#include "platform/File.h"

/// Moves the file position of h by nDistance from FILE_BEGIN or FILE_CURRENT and returns the
/// new position in bytes from the start of the file; a position past the end is allowed.
/// Returns -1 with the last error set when the move fails.
std::int64_t SetFilePointer64(HANDLE h, std::int64_t nDistance, DWORD dwMethod);

#endif  // SUPPORT_SETFILEPOINTER64_H_
