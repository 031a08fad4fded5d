// The block header as the rest of the program sees it: raw bytes as they stand in the file,
// and the answers that classify them. Two kinds implement it: AWS/HET and FKT.
#ifndef TAPE_CHUNKHDR_H_
#define TAPE_CHUNKHDR_H_

#include <cstddef>
#include <cstdint>
#include <memory>

/// What one header is, by its own bytes.
enum ChunkType : int {
  CHUNK_INVALID = 0,   // malformed
  CHUNK_FIRST = 1,     // first chunk of a block that continues
  CHUNK_MIDDLE = 2,    // neither begins nor ends its block
  CHUNK_LAST = 3,      // last chunk of a block
  CHUNK_WHOLE = 4,     // a whole block in one chunk
  CHUNK_TAPEMARK = 5,  // no data follows
};

/// A header never fails: malformed bytes only make IsValid() false. Answers are pure
/// functions of the raw bytes held at the moment of the call.
class CChunkHdr {
 public:
  virtual ~CChunkHdr() = default;

  /// Builds the raw header from the values; the FKT kind ignores both flag bytes.
  virtual void Init(std::uint16_t nCurLen, std::uint16_t nPrvLen, std::uint8_t nFlags1,
                    std::uint8_t nFlags2) = 0;
  /// Copies exactly GetHdrSize() bytes from pSrc. Requires: pSrc holds that many bytes.
  virtual void Load(const void* pSrc) = 0;
  /// The first raw byte; writable, so that file bytes can be read straight into it.
  virtual unsigned char* GetHdrPtr() = 0;
  /// 6 for AWS/HET, 12 for FKT, whatever the contents.
  virtual std::uint32_t GetHdrSize() const = 0;
  virtual ChunkType GetChunkType() const = 0;
  /// Data bytes after this header; 0 for a tapemark.
  virtual std::uint16_t GetCurLen() const = 0;
  /// Data bytes of the preceding chunk.
  virtual std::uint16_t GetPrvLen() const = 0;
  /// The FKT check field; 0 for AWS/HET.
  virtual std::uint16_t GetXorLen() const = 0;
  virtual std::uint8_t GetFlags1() const = 0;
  virtual std::uint8_t GetFlags2() const = 0;
  /// True exactly when GetChunkType() is not CHUNK_INVALID.
  virtual bool IsValid() const = 0;
  virtual bool IsFirstChunk() const = 0;
  virtual bool IsMiddleChunk() const = 0;
  virtual bool IsLastChunk() const = 0;
  virtual bool IsWholeBlock() const = 0;
  virtual bool IsTapemark() const = 0;
  virtual bool IsCompressed() const = 0;
  virtual bool IsHetCompressed() const = 0;
  virtual bool IsZlib() const = 0;
  virtual bool IsBzip2() const = 0;
  /// The kind of a header held through this interface.
  virtual bool IsFKT() const = 0;

 protected:
  CChunkHdr() = default;
  // Headers are never copied as objects: a copy is a construction from raw bytes.
  CChunkHdr(const CChunkHdr&) = delete;
  CChunkHdr& operator=(const CChunkHdr&) = delete;
};

/// Room for a header of either kind, for holders that keep one inside themselves.
constexpr std::size_t kChunkHdrStorage = 24;
constexpr std::size_t kChunkHdrAlign = alignof(void*);

/// A new header of the kind the flag names (FKT or AWS/HET), with the kind's default contents.
std::unique_ptr<CChunkHdr> MakeChunkHdr(bool bFKT);
/// A new header of the kind the flag names, built from that kind's GetHdrSize() raw bytes.
std::unique_ptr<CChunkHdr> MakeChunkHdr(bool bFKT, const void* pRaw);
/// The same, built inside pStorage (kChunkHdrStorage bytes aligned to kChunkHdrAlign); the
/// holder ends its life with the virtual destructor and frees nothing.
CChunkHdr* ConstructChunkHdr(void* pStorage, bool bFKT, const void* pRaw);

#endif  // TAPE_CHUNKHDR_H_
