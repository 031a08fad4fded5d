// The benchmark's inputs, written into a scratch directory, and the baseline walks it compares
// the program with.
#ifndef BENCH_BENCHINPUTS_H_
#define BENCH_BENCHINPUTS_H_

#include <cstdint>
#include <string>

/// nBlocks whole blocks of nLen bytes, a tapemark after every nMarkEvery blocks (0: none),
/// then strTail. AWS headers, or FKT headers when bFKT.
void WriteDenseTape(const std::string& strPath, bool bFKT, std::uint32_t nBlocks, std::uint16_t nLen,
                    std::uint32_t nMarkEvery, const std::string& strTail);

/// nBlocks whole AWS blocks of nLen bytes written as a sparse file: only the headers take disk.
/// Returns the offset where the tape ends (before strTail).
std::int64_t WriteSparseTape(const std::string& strPath, std::uint32_t nBlocks, std::uint16_t nLen,
                             const std::string& strTail);

/// nDirs subdirectories of strRoot with nFiles small sound tapes each.
void WriteTree(const std::string& strRoot, int nDirs, int nFiles);

/// The plain way to walk a tape: open, lock, then one read and one seek system call per header.
/// Returns the number of headers read.
std::uint64_t BaselineWalk(const std::string& strPath, bool bFKT);

/// The plain way to look at a tree: for each file, open, lock, read 12 bytes, close.
/// Returns the number of files.
std::uint64_t BaselineTree(const std::string& strRoot);

#endif  // BENCH_BENCHINPUTS_H_
