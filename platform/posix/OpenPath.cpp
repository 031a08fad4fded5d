#include "platform/posix/OpenPath.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace {
HandleReleaser g_pfnRelease = nullptr;

// Runs the call again for as long as it fails for want of descriptors and one can be released.
template <class Call>
int WithSpareHandle(Call call) {
  for (;;) {
    const int nResult = call();
    if (nResult >= 0 || (errno != EMFILE && errno != ENFILE) || g_pfnRelease == nullptr || !g_pfnRelease()) {
      return nResult;
    }
  }
}

// Opens the directory that holds the last component of a path too long for the system, one
// piece shorter than the limit at a time; *pstrLast receives that last component.
int OpenParentPiecewise(const std::string& strPath, std::string* pstrLast) {
  const auto nSlash = strPath.find_last_of('/');
  *pstrLast = strPath.substr(nSlash + 1);
  const std::string strDir = nSlash == 0 ? "/" : strPath.substr(0, nSlash);
  int dirfd = AT_FDCWD;
  std::size_t nStart = 0;
  while (nStart < strDir.size()) {
    std::size_t nEnd = strDir.size();
    if (nEnd - nStart >= PATH_MAX) {
      nEnd = strDir.rfind('/', nStart + PATH_MAX - 1);
      if (nEnd == std::string::npos || nEnd <= nStart) {  // one name longer than the limit
        if (dirfd != AT_FDCWD) ::close(dirfd);
        errno = ENAMETOOLONG;
        return -1;
      }
    }
    const std::string strPiece = strDir.substr(nStart, nEnd - nStart);
    const int fd =
        WithSpareHandle([&] { return ::openat(dirfd, strPiece.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC); });
    const int nErr = errno;
    if (dirfd != AT_FDCWD) ::close(dirfd);
    if (fd < 0) {
      errno = nErr;
      return -1;
    }
    dirfd = fd;
    nStart = nEnd + 1;
  }
  return dirfd;
}
}  // namespace

void SetHandleReleaser(HandleReleaser pfnRelease) { g_pfnRelease = pfnRelease; }

int OpenPath(const char* pszPath, int nFlags) {
  const std::string strPath = pszPath;
  if (strPath.size() < PATH_MAX || strPath.find('/') == std::string::npos) {
    return WithSpareHandle([&] { return ::open(pszPath, nFlags); });
  }
  std::string strLast;
  const int dirfd = OpenParentPiecewise(strPath, &strLast);
  if (dirfd < 0) return -1;
  const int fd = WithSpareHandle([&] { return ::openat(dirfd, strLast.c_str(), nFlags); });
  const int nErr = errno;
  ::close(dirfd);
  errno = nErr;
  return fd;
}

int StatPath(const char* pszPath, struct stat* pStat, bool bFollowLink) {
  const int nFlags = bFollowLink ? 0 : AT_SYMLINK_NOFOLLOW;
  const std::string strPath = pszPath;
  if (strPath.size() < PATH_MAX || strPath.find('/') == std::string::npos) {
    return ::fstatat(AT_FDCWD, pszPath, pStat, nFlags);
  }
  std::string strLast;
  const int dirfd = OpenParentPiecewise(strPath, &strLast);
  if (dirfd < 0) return -1;
  const int nResult = ::fstatat(dirfd, strLast.c_str(), pStat, nFlags);
  const int nErr = errno;
  ::close(dirfd);
  errno = nErr;
  return nResult;
}
