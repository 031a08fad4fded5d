// An allocator for containers that hold millions of small records.
#ifndef SUPPORT_BLOCKALLOCATOR_H_
#define SUPPORT_BLOCKALLOCATOR_H_

#include <cstddef>
#include <memory>
#include <new>

#include "platform/Memory.h"

/// Serves requests of half a large block or more from large-page blocks (rounded up to whole
/// ones), smaller ones as usual.
template <class T>
class CBlockAllocator {
 public:
  using value_type = T;

  CBlockAllocator() = default;
  template <class U>
  CBlockAllocator(const CBlockAllocator<U>&) noexcept {}  // NOLINT: allocators convert implicitly

  T* allocate(std::size_t n) {
    if (!IsLarge(n)) return std::allocator<T>().allocate(n);
    void* pBlock = AllocateLargeBlock(n * sizeof(T));
    if (pBlock == nullptr) throw std::bad_alloc();
    return static_cast<T*>(pBlock);
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (!IsLarge(n)) {
      std::allocator<T>().deallocate(p, n);
    } else {
      FreeLargeBlock(p, n * sizeof(T));
    }
  }
  static bool IsLarge(std::size_t n) { return n * sizeof(T) >= kLargeBlockBytes / 2; }

  template <class U>
  bool operator==(const CBlockAllocator<U>&) const noexcept {
    return true;
  }
  template <class U>
  bool operator!=(const CBlockAllocator<U>&) const noexcept {
    return false;
  }
};

#endif  // SUPPORT_BLOCKALLOCATOR_H_
