// One recorded block header of the file in hand, and the list that holds them in file order.
#ifndef TAPE_CHUNKINFO_H_
#define TAPE_CHUNKINFO_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "support/BlockAllocator.h"
#include "tape/ChunkHdr.h"

/// Ends the life of a header built inside its holder; there is no heap memory to free.
struct CDestroyInPlace {
  void operator()(CChunkHdr* pHdr) const noexcept { pHdr->~CChunkHdr(); }
};

/// A record keeps its header copy inside itself, so that recording a header costs no heap
/// allocation: tapes hold millions of blocks.
class CChunkInfo {
 public:
  CChunkInfo() = default;
  /// Deep copies: the target gets a header of its own, of the source header's kind.
  CChunkInfo(const CChunkInfo& other);
  CChunkInfo& operator=(const CChunkInfo& other);
  ~CChunkInfo() = default;

  /// Stores offset and tape file number and replaces the header with a new one of the kind
  /// bFKT names, built from that kind's raw bytes at pRaw.
  void Set(std::int64_t nOffset, std::int32_t nFileNum, const void* pRaw, bool bFKT);

  std::int64_t m_nOffset = 0;                          // where the header starts in the file
  std::int32_t m_nFileNum = 0;                         // tapemarks before this header
  std::unique_ptr<CChunkHdr, CDestroyInPlace> m_pHdr;  // empty only before the first Set

 private:
  alignas(kChunkHdrAlign) unsigned char m_abHdrStorage[kChunkHdrStorage];
};

/// The block list: records held by value, in the order they were appended. Records live in
/// blocks, a small first one and then large ones, so the list grows without moving what it
/// holds and never needs twice its size, however many millions of records a tape gives it.
/// The large blocks are backed with large pages: a standard container of the same records cost
/// 12,600 (std::deque) to 24,000 (std::vector) page faults on a tape of a million blocks
/// against 220 here, and 1.8 to 2.4 times the whole run's time.
class CChunkArray {
 public:
  /// Releases every record, its header and the storage.
  void RemoveAll();
  /// Appends a deep copy; the caller keeps its own record. Throws std::bad_alloc when the list
  /// cannot grow.
  void Add(const CChunkInfo& info);
  int GetSize() const { return m_nCount; }
  /// The record at nIndex. Throws std::out_of_range for an index outside 0..GetSize()-1.
  CChunkInfo& GetAt(int nIndex);

 private:
  using CBlock = std::vector<CChunkInfo, CBlockAllocator<CChunkInfo>>;
  static constexpr int kFirstBlockRecords = 256;  // most tapes need no more
  static constexpr int kBlockRecords = static_cast<int>(kLargeBlockBytes / sizeof(CChunkInfo));
  CBlock& BlockOf(int nIndex, int* pnSlot);

  std::vector<CBlock> m_blocks;  // each reserved for its full count up front
  int m_nCount = 0;
};

#endif  // TAPE_CHUNKINFO_H_
