// Error texts: the system's own where it has them, else the same wording from a table.
#include "support/FormatLastError.h"

#include <string>

#include "platform/Native.h"

namespace {
struct CErrorText {
  DWORD dwCode;
  const char* pszText;
};

constexpr CErrorText kTexts[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."},
    {ERROR_GEN_FAILURE, "A device attached to the system is not functioning."},
    {ERROR_SHARING_VIOLATION,
     "The process cannot access the file because it is being used by another process."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_NEGATIVE_SEEK, "An attempt was made to move the file pointer before the beginning of the file."},
    {ERROR_DISK_FULL, "There is not enough space on the disk."},
    {ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect."},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
    {ERROR_FILE_TOO_LARGE, "The file size exceeds the limit allowed and cannot be saved."},
    {ERROR_IO_DEVICE, "The request could not be performed because of an I/O device error."},
    {ERROR_CANT_ACCESS_FILE, "The file cannot be accessed by the system."},
    {ERROR_CANT_RESOLVE_FILENAME, "The name of the file cannot be resolved by the system."},
};
}  // namespace

CString FormatLastError(DWORD dwError) {
  std::string strSystem;
  if (NativeErrorText(dwError, &strSystem)) return CString(strSystem);
  for (const auto& text : kTexts) {
    if (text.dwCode == dwError) return CString(text.pszText);
  }
  CString str;
  str.Format("Unknown error (code %u).", static_cast<unsigned>(dwError));
  return str;
}
