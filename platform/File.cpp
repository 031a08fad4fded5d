// The Win32 file calls over the system's files: opaque handles, the file position kept here,
// and Win32 error codes.
#include "platform/File.h"

#include <limits>
#include <memory>
#include <vector>

#include "platform/Native.h"
#include "platform/ReadAheadFile.h"
#include "platform/SystemCalls.h"

namespace {

thread_local DWORD t_dwLastError = ERROR_SUCCESS;

// Handles are slot numbers plus one, so that 0 stays "no file". Namespace-scope statics, not
// function-local ones: they are reached twice per block header.
std::vector<std::unique_ptr<CReadAheadFile>> g_slots;

CReadAheadFile* Lookup(HANDLE h) {
  if (h == 0 || h == INVALID_HANDLE_VALUE || h > g_slots.size() || !g_slots[h - 1]) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return g_slots[h - 1].get();
}

HANDLE AddSlot(std::unique_ptr<CReadAheadFile> pFile) {
  for (size_t i = 0; i < g_slots.size(); ++i) {
    if (!g_slots[i]) {
      g_slots[i] = std::move(pFile);
      return i + 1;
    }
  }
  g_slots.push_back(std::move(pFile));
  return g_slots.size();
}

// Sets the last error from a result; true when the call succeeded.
bool Succeeded(DWORD dwError) {
  if (dwError == ERROR_SUCCESS) return true;
  SetLastError(dwError);
  return false;
}

}  // namespace

DWORD GetLastError() { return t_dwLastError; }
void SetLastError(DWORD dwError) { t_dwLastError = dwError; }

HANDLE CreateFileA(const char* pszPath, DWORD dwAccess, DWORD dwShareMode, void* /*pSecurity*/,
                   DWORD dwDisposition, DWORD dwFlags, HANDLE /*hTemplate*/) {
  if (pszPath == nullptr || *pszPath == '\0') {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  if (dwDisposition != OPEN_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const bool bWrite = (dwAccess & GENERIC_WRITE) != 0;
  NativeFile file = 0;
  std::int64_t nSize = 0;
  const bool bNoFollow = (dwFlags & FILE_FLAG_OPEN_REPARSE_POINT) != 0;
  if (!Succeeded(SystemCalls().Open(pszPath, bWrite, dwShareMode == 0, bNoFollow, &file, &nSize))) {
    return INVALID_HANDLE_VALUE;
  }
  return AddSlot(std::make_unique<CReadAheadFile>(file, nSize));
}

BOOL ReadFile(HANDLE h, void* pBuffer, DWORD nToRead, DWORD* pnRead, void* /*pOverlapped*/) {
  if (pnRead != nullptr) *pnRead = 0;
  CReadAheadFile* pFile = Lookup(h);
  if (pFile == nullptr) return FALSE;
  size_t nDone = 0;
  const DWORD dwError = pFile->Read(static_cast<unsigned char*>(pBuffer), nToRead, &nDone);
  if (pnRead != nullptr) *pnRead = static_cast<DWORD>(nDone);
  return Succeeded(dwError);
}

BOOL WriteFile(HANDLE h, const void* pBuffer, DWORD nToWrite, DWORD* pnWritten, void* /*pOverlapped*/) {
  if (pnWritten != nullptr) *pnWritten = 0;
  CReadAheadFile* pFile = Lookup(h);
  if (pFile == nullptr) return FALSE;
  size_t nDone = 0;
  const DWORD dwError = pFile->Write(static_cast<const unsigned char*>(pBuffer), nToWrite, &nDone);
  if (pnWritten != nullptr) *pnWritten = static_cast<DWORD>(nDone);
  return Succeeded(dwError);
}

BOOL SetEndOfFile(HANDLE h) {
  CReadAheadFile* pFile = Lookup(h);
  if (pFile == nullptr) return FALSE;
  return Succeeded(pFile->Truncate());
}

BOOL MoveFilePointer(HANDLE h, std::int64_t nDistance, std::int64_t* pnNewPos, DWORD dwMethod) {
  CReadAheadFile* pFile = Lookup(h);
  if (pFile == nullptr) return FALSE;
  std::int64_t nBase = 0;
  if (dwMethod == FILE_CURRENT) {
    nBase = pFile->Position();
  } else if (dwMethod != FILE_BEGIN) {
    return Succeeded(ERROR_INVALID_PARAMETER);
  }
  // Checked before adding: a sum past the 64-bit range would be undefined behaviour.
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  if ((nDistance > 0 && nBase > kMax - nDistance) || nBase + nDistance < 0) {
    return Succeeded(nDistance > 0 ? ERROR_INVALID_PARAMETER : ERROR_NEGATIVE_SEEK);
  }
  pFile->SetPosition(nBase + nDistance);
  if (pnNewPos != nullptr) *pnNewPos = pFile->Position();
  return TRUE;
}

BOOL GetFileSizeEx(HANDLE h, std::int64_t* pnSize) {
  CReadAheadFile* pFile = Lookup(h);
  if (pFile == nullptr) return FALSE;
  return Succeeded(SystemCalls().FileSize(pFile->File(), pnSize));
}

BOOL CloseHandle(HANDLE h) {
  if (Lookup(h) == nullptr) return FALSE;
  g_slots[h - 1].reset();  // closing the file also ends its exclusive hold
  return TRUE;
}
