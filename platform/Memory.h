// Large memory blocks for lists that grow to many megabytes.
#ifndef PLATFORM_MEMORY_H_
#define PLATFORM_MEMORY_H_

#include <cstddef>

/// Blocks of at least this size are worth backing with large pages.
constexpr std::size_t kLargeBlockBytes = std::size_t{2} << 20;

/// A block of nBytes, rounded up to whole kLargeBlockBytes and backed with large pages where the system
/// offers them, so that filling it costs a handful of page faults instead of hundreds.
/// Returns nullptr when memory is exhausted.
void* AllocateLargeBlock(std::size_t nBytes);
/// Releases a block from AllocateLargeBlock.
void FreeLargeBlock(void* pBlock, std::size_t nBytes);

#endif  // PLATFORM_MEMORY_H_
