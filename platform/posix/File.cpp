// Win32 file calls on POSIX: descriptors behind opaque handles, errno turned into Win32 codes.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/TestSeams.h"
#include "platform/Win32Api.h"
#include "platform/posix/OpenFile.h"

namespace {

thread_local DWORD t_dwLastError = ERROR_SUCCESS;

// Handles are slot numbers plus one, so that 0 stays "no file". Namespace-scope statics, not
// function-local ones: they are reached twice per block header.
std::vector<std::unique_ptr<COpenFile>> g_slots;
CPlatformFaults g_faults;

std::vector<std::unique_ptr<COpenFile>>& Slots() { return g_slots; }

COpenFile* Lookup(HANDLE h) {
  auto& slots = Slots();
  if (h == 0 || h == INVALID_HANDLE_VALUE || h > slots.size() || !slots[h - 1]) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return slots[h - 1].get();
}

HANDLE AddSlot(std::unique_ptr<COpenFile> pFile) {
  auto& slots = Slots();
  for (size_t i = 0; i < slots.size(); ++i) {
    if (!slots[i]) {
      slots[i] = std::move(pFile);
      return i + 1;
    }
  }
  slots.push_back(std::move(pFile));
  return slots.size();
}

bool ParentDirectoryExists(const std::string& strPath) {
  const auto nSlash = strPath.find_last_of('/');
  if (nSlash == std::string::npos) return true;
  const std::string strDir = nSlash == 0 ? "/" : strPath.substr(0, nSlash);
  struct stat st {};
  return ::stat(strDir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FailIfFaulted(bool bSwitch, DWORD dwError) {
  if (!bSwitch) return false;
  SetLastError(dwError);
  return true;
}

}  // namespace

DWORD Win32ErrorFromErrno(int nErrno) {
  switch (nErrno) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return ERROR_ACCESS_DENIED;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EWOULDBLOCK: return ERROR_SHARING_VIOLATION;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case EIO: return ERROR_IO_DEVICE;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    default: return ERROR_GEN_FAILURE;
  }
}

DWORD GetLastError() { return t_dwLastError; }
void SetLastError(DWORD dwError) { t_dwLastError = dwError; }

HANDLE CreateFileA(const char* pszPath, DWORD dwAccess, DWORD dwShareMode, void* /*pSecurity*/,
                   DWORD dwDisposition, DWORD /*dwFlags*/, HANDLE /*hTemplate*/) {
  if (pszPath == nullptr || *pszPath == '\0') {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  if (dwDisposition != OPEN_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const bool bWrite = (dwAccess & GENERIC_WRITE) != 0;
  // O_NONBLOCK keeps a FIFO or a device from hanging the open; it is cleared again below.
  const int fd = ::open(pszPath, (bWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    const int nErr = errno;
    SetLastError(nErr == ENOENT && !ParentDirectoryExists(pszPath) ? ERROR_PATH_NOT_FOUND
                                                                   : Win32ErrorFromErrno(nErr));
    return INVALID_HANDLE_VALUE;
  }
  auto fail = [fd](DWORD dwError) {
    ::close(fd);
    SetLastError(dwError);
    return INVALID_HANDLE_VALUE;
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) return fail(Win32ErrorFromErrno(errno));
  // Windows refuses to open a directory as a file; do the same.
  if (S_ISDIR(st.st_mode)) return fail(ERROR_ACCESS_DENIED);
  if (!S_ISREG(st.st_mode)) {  // non-blocking matters only for what is not a regular file
    const int nFlags = ::fcntl(fd, F_GETFL);
    if (nFlags >= 0) ::fcntl(fd, F_SETFL, nFlags & ~O_NONBLOCK);
  }
  // Share mode 0: an exclusive lock that any other opener of the file also asks for.
  if (dwShareMode == 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    return fail(errno == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : Win32ErrorFromErrno(errno));
  }
  return AddSlot(std::make_unique<COpenFile>(fd, static_cast<std::int64_t>(st.st_size)));
}

BOOL ReadFile(HANDLE h, void* pBuffer, DWORD nToRead, DWORD* pnRead, void* /*pOverlapped*/) {
  if (pnRead != nullptr) *pnRead = 0;
  COpenFile* pFile = Lookup(h);
  if (pFile == nullptr) return FALSE;
  CPlatformFaults& faults = PlatformFaults();
  if (faults.bFailRead) {
    if (faults.nReadsBeforeFailure <= 0) {
      SetLastError(ERROR_IO_DEVICE);
      return FALSE;
    }
    --faults.nReadsBeforeFailure;
  }
  size_t nDone = 0;
  if (!pFile->Read(static_cast<unsigned char*>(pBuffer), nToRead, &nDone)) {
    SetLastError(Win32ErrorFromErrno(errno));
    return FALSE;
  }
  if (pnRead != nullptr) *pnRead = static_cast<DWORD>(nDone);
  return TRUE;
}

BOOL WriteFile(HANDLE h, const void* pBuffer, DWORD nToWrite, DWORD* pnWritten, void* /*pOverlapped*/) {
  if (pnWritten != nullptr) *pnWritten = 0;
  COpenFile* pFile = Lookup(h);
  if (pFile == nullptr) return FALSE;
  if (FailIfFaulted(PlatformFaults().bFailWrite, ERROR_DISK_FULL)) return FALSE;
  size_t nDone = 0;
  const bool bOk = pFile->Write(static_cast<const unsigned char*>(pBuffer), nToWrite, &nDone);
  if (pnWritten != nullptr) *pnWritten = static_cast<DWORD>(nDone);
  if (!bOk) {
    SetLastError(Win32ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL SetEndOfFile(HANDLE h) {
  COpenFile* pFile = Lookup(h);
  if (pFile == nullptr) return FALSE;
  if (FailIfFaulted(PlatformFaults().bFailSetEnd, ERROR_ACCESS_DENIED)) return FALSE;
  if (!pFile->Truncate()) {
    SetLastError(Win32ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL SetFilePointerEx(HANDLE h, std::int64_t nDistance, std::int64_t* pnNewPos, DWORD dwMethod) {
  COpenFile* pFile = Lookup(h);
  if (pFile == nullptr) return FALSE;
  if (FailIfFaulted(PlatformFaults().bFailSeek, ERROR_NEGATIVE_SEEK)) return FALSE;
  std::int64_t nBase = 0;
  if (dwMethod == FILE_CURRENT) {
    nBase = pFile->Position();
  } else if (dwMethod == FILE_END) {
    struct stat st {};
    if (::fstat(pFile->Descriptor(), &st) != 0) {
      SetLastError(Win32ErrorFromErrno(errno));
      return FALSE;
    }
    nBase = st.st_size;
  } else if (dwMethod != FILE_BEGIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Checked before adding: a sum past the 64-bit range would be undefined behaviour.
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  if ((nDistance > 0 && nBase > kMax - nDistance) || nBase + nDistance < 0) {
    SetLastError(nDistance > 0 ? ERROR_INVALID_PARAMETER : ERROR_NEGATIVE_SEEK);
    return FALSE;
  }
  pFile->SetPosition(nBase + nDistance);
  if (pnNewPos != nullptr) *pnNewPos = pFile->Position();
  return TRUE;
}

BOOL CloseHandle(HANDLE h) {
  if (Lookup(h) == nullptr) return FALSE;
  Slots()[h - 1].reset();  // closing the descriptor also drops its lock
  return TRUE;
}

CPlatformFaults& PlatformFaults() { return g_faults; }
