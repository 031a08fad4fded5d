// The POSIX files under the layer: descriptors, pread/pwrite, a lease (or, failing that, locks)
// for "no sharing", and the one translation of errno into Win32 error codes.
#include "platform/Native.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/Win32Api.h"
#include "platform/posix/OpenPath.h"

namespace {
DWORD Win32ErrorFromErrno(int nErrno) {
  switch (nErrno) {
    case 0:
      return ERROR_SUCCESS;
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    // A read-write open refused by mode bits, by a read-only file system or by a running
    // program's text is "access denied", so that the check retries read-only.
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return ERROR_ACCESS_DENIED;
    case EBADF:
      return ERROR_INVALID_HANDLE;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EWOULDBLOCK:
      return ERROR_SHARING_VIOLATION;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EFBIG:
      return ERROR_FILE_TOO_LARGE;
    case EIO:
      return ERROR_IO_DEVICE;
    case ELOOP:
      return ERROR_CANT_RESOLVE_FILENAME;
    default:
      return ERROR_GEN_FAILURE;
  }
}

bool ParentDirectoryExists(const std::string& strPath) {
  const auto nSlash = strPath.find_last_of('/');
  if (nSlash == std::string::npos) return true;
  const std::string strDir = nSlash == 0 ? "/" : strPath.substr(0, nSlash);
  struct stat st {};
  return StatPath(strDir.c_str(), &st, true) == 0 && S_ISDIR(st.st_mode);
}

int Fd(NativeFile file) { return static_cast<int>(file); }

// A lease is granted only while no other process has the file open (for writing, in the case of
// a read lease), and while it is held every other open waits for it to end: the share mode 0 of
// Windows. The kernel tells the holder that someone waits with SIGIO, whose default action
// would end the run; the check ends soon enough on its own, so the signal is ignored.
// Answers ERROR_SHARING_VIOLATION when the file is in use, ERROR_SUCCESS when the lease is
// held, and any other code when this file cannot have a lease at all.
DWORD TakeLease(int fd, bool bWrite) {
#ifdef F_SETLEASE
  static const bool s_bSigioIgnored = ::signal(SIGIO, SIG_IGN) != SIG_ERR;
  (void)s_bSigioIgnored;
  if (::fcntl(fd, F_SETLEASE, bWrite ? F_WRLCK : F_RDLCK) == 0) return ERROR_SUCCESS;
  return errno == EAGAIN ? ERROR_SHARING_VIOLATION : ERROR_GEN_FAILURE;
#else
  (void)fd;
  (void)bWrite;
  return ERROR_GEN_FAILURE;
#endif
}

// Where no lease can be had (a file of another owner, a file system without leases): the
// exclusive flock that other careful programs ask for too, and an open-file-description record
// lock, which holders of POSIX record locks (lockf, fcntl) refuse. Neither keeps out a program
// that takes no lock.
DWORD TakeLocks(int fd, bool bWrite) {
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return Win32ErrorFromErrno(errno);
#ifdef F_OFD_SETLK
  struct flock lock {};
  lock.l_type = bWrite ? F_WRLCK : F_RDLCK;
  lock.l_whence = SEEK_SET;  // start 0, length 0: the whole file, however long it grows
  // Only a conflict refuses the file; a file system without record locks just goes without.
  if (::fcntl(fd, F_OFD_SETLK, &lock) != 0 && (errno == EAGAIN || errno == EACCES))
    return ERROR_SHARING_VIOLATION;
#endif
  return ERROR_SUCCESS;
}
}  // namespace

bool NativeStartUp() {
  // A closed pipe on standard output must cost its text, not the run: the walk goes on and the
  // exit status still counts the files.
  ::signal(SIGPIPE, SIG_IGN);
  // The walk holds one directory open per level of the tree; deep trees need the hard limit.
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
  }
  return true;
}

std::uint32_t NativeOpen(const char* pszPath, bool bWrite, bool bExclusive, bool bNoFollow, NativeFile* pFile,
                         std::int64_t* pnSize) {
  // O_NONBLOCK keeps a FIFO or a device swapped in after the listing from hanging the open;
  // O_NOFOLLOW keeps a link swapped in from leading elsewhere (it fails with ELOOP).
  const int nFlags =
      (bWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (bNoFollow ? O_NOFOLLOW : 0);
  const int fd = OpenPath(pszPath, nFlags);
  if (fd < 0) {
    const int nErr = errno;
    if (bNoFollow && nErr == ELOOP) return ERROR_CANT_ACCESS_FILE;
    return nErr == ENOENT && !ParentDirectoryExists(pszPath) ? ERROR_PATH_NOT_FOUND
                                                             : Win32ErrorFromErrno(nErr);
  }
  auto fail = [fd](DWORD dwError) {
    ::close(fd);
    return dwError;
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) return fail(Win32ErrorFromErrno(errno));
  // Windows refuses to open a directory as a file; do the same. Anything else that is no
  // regular file is no tape, and reading it could wait for ever.
  if (S_ISDIR(st.st_mode) && !bNoFollow) return fail(ERROR_ACCESS_DENIED);
  if (!S_ISREG(st.st_mode)) return fail(ERROR_CANT_ACCESS_FILE);
  if (bExclusive) {
    DWORD dwHold = TakeLease(fd, bWrite);
    if (dwHold != ERROR_SUCCESS && dwHold != ERROR_SHARING_VIOLATION) dwHold = TakeLocks(fd, bWrite);
    if (dwHold != ERROR_SUCCESS) return fail(dwHold);
    // The size that counts is the one seen while the file is held.
    if (::fstat(fd, &st) != 0) return fail(Win32ErrorFromErrno(errno));
  }
  *pFile = fd;
  *pnSize = static_cast<std::int64_t>(st.st_size);
  return ERROR_SUCCESS;
}

std::uint32_t NativeReadAt(NativeFile file, std::int64_t nOffset, void* pDest, std::size_t nCount,
                           std::size_t* pnDone) {
  *pnDone = 0;
  for (;;) {
    const ssize_t n = ::pread(Fd(file), pDest, nCount, static_cast<off_t>(nOffset));
    if (n >= 0) {
      *pnDone = static_cast<std::size_t>(n);
      return ERROR_SUCCESS;
    }
    if (errno != EINTR) return Win32ErrorFromErrno(errno);
  }
}

std::uint32_t NativeWriteAt(NativeFile file, std::int64_t nOffset, const void* pSrc, std::size_t nCount,
                            std::size_t* pnDone) {
  *pnDone = 0;
  for (;;) {
    const ssize_t n = ::pwrite(Fd(file), pSrc, nCount, static_cast<off_t>(nOffset));
    if (n >= 0) {
      *pnDone = static_cast<std::size_t>(n);
      return ERROR_SUCCESS;
    }
    if (errno != EINTR) return Win32ErrorFromErrno(errno);
  }
}

std::uint32_t NativeTruncate(NativeFile file, std::int64_t nSize) {
  while (::ftruncate(Fd(file), static_cast<off_t>(nSize)) != 0) {
    if (errno != EINTR) return Win32ErrorFromErrno(errno);
  }
  return ERROR_SUCCESS;
}

std::uint32_t NativeFileSize(NativeFile file, std::int64_t* pnSize) {
  struct stat st {};
  if (::fstat(Fd(file), &st) != 0) return Win32ErrorFromErrno(errno);
  *pnSize = static_cast<std::int64_t>(st.st_size);
  return ERROR_SUCCESS;
}

void NativeClose(NativeFile file) { ::close(Fd(file)); }

// POSIX has no texts for Win32 codes: FormatLastError uses its own.
bool NativeErrorText(std::uint32_t /*dwCode*/, std::string* /*pstrText*/) { return false; }

// No debugger channel on POSIX.
void NativeDebugOutput(const char* /*pszText*/) {}
