#include "tape/ChunkInfo.h"

#include <limits>
#include <new>
#include <stdexcept>

CChunkInfo::CChunkInfo(const CChunkInfo& other) { *this = other; }

CChunkInfo& CChunkInfo::operator=(const CChunkInfo& other) {
  if (this == &other) return *this;
  if (other.m_pHdr) {
    Set(other.m_nOffset, other.m_nFileNum, other.m_pHdr->GetHdrPtr(), other.m_pHdr->IsFKT());
  } else {
    m_nOffset = other.m_nOffset;
    m_nFileNum = other.m_nFileNum;
    m_pHdr.reset();
  }
  return *this;
}

void CChunkInfo::Set(std::int64_t nOffset, std::int32_t nFileNum, const void* pRaw, bool bFKT) {
  m_nOffset = nOffset;
  m_nFileNum = nFileNum;
  // A header of the same kind is refilled: the same result as releasing it and building a
  // new one.
  if (m_pHdr && m_pHdr->IsFKT() == bFKT) {
    m_pHdr->Load(pRaw);
    return;
  }
  m_pHdr.reset();
  m_pHdr.reset(ConstructChunkHdr(m_abHdrStorage, bFKT, pRaw));
}

void CChunkArray::RemoveAll() {
  std::vector<CBlock>().swap(m_blocks);
  m_nCount = 0;
}

CChunkArray::CBlock& CChunkArray::BlockOf(int nIndex, int* pnSlot) {
  if (nIndex < kFirstBlockRecords) {
    *pnSlot = nIndex;
    return m_blocks[0];
  }
  const int nLarge = nIndex - kFirstBlockRecords;
  *pnSlot = nLarge % kBlockRecords;
  return m_blocks[static_cast<size_t>(1 + nLarge / kBlockRecords)];
}

void CChunkArray::Add(const CChunkInfo& info) {
  // A list that cannot grow is out of memory, whatever the reason, and is reported as such.
  if (m_nCount == std::numeric_limits<int>::max()) throw std::bad_alloc();
  if (m_blocks.empty() || m_blocks.back().size() == m_blocks.back().capacity()) {
    m_blocks.emplace_back();
    m_blocks.back().reserve(static_cast<size_t>(m_blocks.size() == 1 ? kFirstBlockRecords : kBlockRecords));
  }
  m_blocks.back().push_back(info);
  ++m_nCount;
}

CChunkInfo& CChunkArray::GetAt(int nIndex) {
  if (nIndex < 0 || nIndex >= m_nCount) throw std::out_of_range("CChunkArray index");
  int nSlot = 0;
  CBlock& block = BlockOf(nIndex, &nSlot);
  return block[static_cast<size_t>(nSlot)];
}
