#include "bench/BenchInputs.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {
std::string Header(bool bFKT, std::uint16_t nCur, std::uint16_t nPrv, std::uint8_t nFlags1) {
  if (bFKT) {
    char sz[13];
    std::snprintf(sz, sizeof sz, "%04X%04X%04X", nPrv, nCur, static_cast<unsigned>(nCur ^ nPrv));
    return sz;
  }
  const char ach[6] = {static_cast<char>(nCur & 0xFF), static_cast<char>(nCur >> 8),
                       static_cast<char>(nPrv & 0xFF), static_cast<char>(nPrv >> 8),
                       static_cast<char>(nFlags1),     0};
  return std::string(ach, 6);
}

void Die(const char* pszWhat, const std::string& strPath) {
  std::perror((std::string(pszWhat) + " " + strPath).c_str());
  std::exit(1);
}
}  // namespace

void WriteDenseTape(const std::string& strPath, bool bFKT, std::uint32_t nBlocks, std::uint16_t nLen,
                    std::uint32_t nMarkEvery, const std::string& strTail) {
  std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
  const std::string strData(nLen, 'D');
  std::uint16_t nPrv = 0;
  std::string strBuf;
  for (std::uint32_t i = 1; i <= nBlocks; ++i) {
    strBuf += Header(bFKT, nLen, nPrv, 0xA0) + strData;
    nPrv = nLen;
    if (nMarkEvery != 0 && i % nMarkEvery == 0) {
      strBuf += Header(bFKT, 0, nPrv, 0x40);
      nPrv = 0;
    }
    if (strBuf.size() > (1u << 20)) {
      out << strBuf;
      strBuf.clear();
    }
  }
  out << strBuf << strTail;
  if (!out) Die("cannot write", strPath);
}

std::int64_t WriteSparseTape(const std::string& strPath, std::uint32_t nBlocks, std::uint16_t nLen,
                             const std::string& strTail) {
  const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) Die("cannot create", strPath);
  std::int64_t nPos = 0;
  std::uint16_t nPrv = 0;
  for (std::uint32_t i = 0; i < nBlocks; ++i) {
    const std::string strHdr = Header(false, nLen, nPrv, 0xA0);
    if (::pwrite(fd, strHdr.data(), strHdr.size(), nPos) != static_cast<ssize_t>(strHdr.size()))
      Die("pwrite", strPath);
    nPos += static_cast<std::int64_t>(strHdr.size()) + nLen;
    nPrv = nLen;
  }
  if (::ftruncate(fd, nPos) != 0) Die("ftruncate", strPath);
  if (!strTail.empty() &&
      ::pwrite(fd, strTail.data(), strTail.size(), nPos) != static_cast<ssize_t>(strTail.size())) {
    Die("pwrite", strPath);
  }
  ::close(fd);
  return nPos;
}

void WriteTree(const std::string& strRoot, int nDirs, int nFiles) {
  std::string strTape;
  for (int i = 0; i < 3; ++i) strTape += Header(false, 80, i == 0 ? 0 : 80, 0xA0) + std::string(80, 'T');
  strTape += Header(false, 0, 80, 0x40);
  ::mkdir(strRoot.c_str(), 0755);
  for (int d = 0; d < nDirs; ++d) {
    const std::string strDir = strRoot + "/vol" + std::to_string(d);
    ::mkdir(strDir.c_str(), 0755);
    for (int f = 0; f < nFiles; ++f) {
      std::ofstream out(strDir + "/t" + std::to_string(f) + ".aws", std::ios::binary | std::ios::trunc);
      out << strTape;
    }
  }
}

std::uint64_t BaselineWalk(const std::string& strPath, bool bFKT) {
  const int fd = ::open(strPath.c_str(), O_RDONLY);
  if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) Die("cannot open", strPath);
  const size_t nSize = bFKT ? 12 : 6;
  char ach[12];
  std::uint64_t nHeaders = 0;
  for (;;) {
    if (::read(fd, ach, nSize) != static_cast<ssize_t>(nSize)) break;
    ++nHeaders;
    long nLen = 0;
    if (bFKT) {
      const char szCur[5] = {ach[4], ach[5], ach[6], ach[7], 0};
      nLen = std::strtol(szCur, nullptr, 16);
    } else {
      nLen = static_cast<unsigned char>(ach[0]) | static_cast<unsigned char>(ach[1]) << 8;
    }
    ::lseek(fd, nLen, SEEK_CUR);
  }
  ::close(fd);
  return nHeaders;
}

std::uint64_t BaselineTree(const std::string& strRoot) {
  std::uint64_t nFiles = 0;
  DIR* pDir = ::opendir(strRoot.c_str());
  if (pDir == nullptr) return 0;
  while (const dirent* pEntry = ::readdir(pDir)) {
    const std::string strName = pEntry->d_name;
    if (strName == "." || strName == "..") continue;
    const std::string strPath = strRoot + "/" + strName;
    struct stat st {};
    if (::lstat(strPath.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      nFiles += BaselineTree(strPath);
      continue;
    }
    const int fd = ::open(strPath.c_str(), O_RDWR);
    char ach[12];
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::read(fd, ach, sizeof ach) >= 0) ++nFiles;
    if (fd >= 0) ::close(fd);
  }
  ::closedir(pDir);
  return nFiles;
}
