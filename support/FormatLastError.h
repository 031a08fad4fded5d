// Readable text for a Win32 error code, as the error lines show it.
#ifndef SUPPORT_FORMATLASTERROR_H_
#define SUPPORT_FORMATLASTERROR_H_

#include "platform/CString.h"
#include "platform/Win32Api.h"

/// A sentence for the code, without a line end; "Unknown error (code N)." for codes the
/// program never produces.
CString FormatLastError(DWORD dwError);

#endif  // SUPPORT_FORMATLASTERROR_H_
