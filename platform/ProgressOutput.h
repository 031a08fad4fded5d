// The progress indicator's way to the console.
#ifndef PLATFORM_PROGRESSOUTPUT_H_
#define PLATFORM_PROGRESSOUTPUT_H_

#include <cstddef>

/// Writes the bytes of one progress picture to standard output, as printf would, and makes it
/// visible on a terminal without waiting for a line feed. Flushes at most a few times a second
/// and writes without per-call stream locking, so that millions of pictures cost next to nothing.
void WriteProgressPicture(const char* pPicture, std::size_t nBytes);

#endif  // PLATFORM_PROGRESSOUTPUT_H_
