#include "tape/ChunkInfo.h"

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
  m_pHdr.reset();
  m_pHdr = MakeChunkHdr(bFKT, pRaw);
}

void CChunkArray::RemoveAll() { std::vector<CChunkInfo>().swap(m_records); }

void CChunkArray::Add(const CChunkInfo& info) { m_records.push_back(info); }

CChunkInfo& CChunkArray::GetAt(int nIndex) {
  if (nIndex < 0) throw std::out_of_range("CChunkArray index");
  return m_records.at(static_cast<size_t>(nIndex));
}

void CChunkArray::RemoveAt(int nIndex) {
  GetAt(nIndex);  // the same range check
  m_records.erase(m_records.begin() + nIndex);
}
