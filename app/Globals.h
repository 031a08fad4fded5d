// The run state: every value that outlives one call, shared by name across the program.
#ifndef APP_GLOBALS_H_
#define APP_GLOBALS_H_

#include <cstdint>

#include "app/Resume.h"
#include "platform/CString.h"
#include "platform/Framework.h"
#include "platform/Win32Api.h"
#include "tape/ChunkInfo.h"

extern CWinApp theApp;

// Options, set once by ParseArgs.
extern bool g_bReadOnly;   // never write to a tape file
extern bool g_bKeepGoing;  // an I/O error neither stops the walk nor makes the status -1
extern bool g_bSubDirs;    // walk matching subdirectories too
extern bool g_bVerbose;    // a result line for every file
extern bool g_bQuiet;      // no result line for damaged files
extern bool g_bProgress;   // draw the progress indicator
extern bool g_bDetails;    // after each damaged file's line, where the damage lies and what a fix keeps

// The file in hand.
extern bool g_bIsFKT;             // FKT headers, else AWS/HET
extern HANDLE g_hFile;            // the open tape file, 0 for none
extern DWORD g_dwAccess;          // GENERIC_READ, or GENERIC_READ|GENERIC_WRITE
extern std::int64_t g_nFileSize;  // its size when the check began
extern CChunkArray g_ChunkArray;  // the block list of the file in hand
extern CDamageNote g_DamageNote;  // what /d tells about its damage, gathered before the repair

// Over the whole run.
extern std::int32_t g_nExitCode;   // damaged files counted, or -1 after an error
extern std::int32_t g_nFileSpin;   // files begun
extern std::int32_t g_nChunkSpin;  // header reads attempted
extern DWORD g_dwLastError;        // code of the last failed open or I/O: the check reads it to
                                   // decide the read-only retry, ReportIOError to word the line
extern CString g_strFileSpec;      // the file argument as typed
extern CString g_strFilePath;      // full path of the entry in hand
extern DWORD g_dwFileAttributes;   // the entry in hand as the walk listed it (FILE_ATTRIBUTE_*)

/// Puts every value back to its starting value (closing a file left open) so that each test
/// starts from a fresh run.
void ResetRunState();

#endif  // APP_GLOBALS_H_
