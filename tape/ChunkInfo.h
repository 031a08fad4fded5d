// One recorded block header of the file in hand, and the list that holds them in file order.
#ifndef TAPE_CHUNKINFO_H_
#define TAPE_CHUNKINFO_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "tape/ChunkHdr.h"

class CChunkInfo {
 public:
  CChunkInfo() = default;
  /// Deep copies: the target gets a header of its own, of the source header's kind.
  CChunkInfo(const CChunkInfo& other);
  CChunkInfo& operator=(const CChunkInfo& other);
  CChunkInfo(CChunkInfo&&) noexcept = default;
  CChunkInfo& operator=(CChunkInfo&&) noexcept = default;
  ~CChunkInfo() = default;

  /// Stores offset and tape file number and replaces the header with a new one of the kind
  /// bFKT names, built from that kind's raw bytes at pRaw.
  void Set(std::int64_t nOffset, std::int32_t nFileNum, const void* pRaw, bool bFKT);

  std::int64_t m_nOffset = 0;          // where the header starts in the file
  std::int32_t m_nFileNum = 0;         // tapemarks before this header
  std::unique_ptr<CChunkHdr> m_pHdr;   // empty only before the first Set
};

/// The block list: records held by value, in the order they were appended.
class CChunkArray {
 public:
  /// Releases every record, its header and the storage.
  void RemoveAll();
  /// Appends a deep copy; the caller keeps its own record.
  void Add(const CChunkInfo& info);
  int GetSize() const { return static_cast<int>(m_records.size()); }
  /// The record at nIndex. Throws std::out_of_range for an index outside 0..GetSize()-1.
  CChunkInfo& GetAt(int nIndex);
  /// Releases the record at nIndex and moves later ones down. Throws like GetAt.
  void RemoveAt(int nIndex);

 private:
  std::vector<CChunkInfo> m_records;
};

#endif  // TAPE_CHUNKINFO_H_
