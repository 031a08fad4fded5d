// The run state with its starting values. Definition order is construction order: the
// application object, the block list, then the two strings.
#include "app/Globals.h"

#include "platform/File.h"

CWinApp theApp(nullptr);
CChunkArray g_ChunkArray;
CString g_strFileSpec;
CString g_strFilePath;
CDamageNote g_DamageNote;

bool g_bReadOnly = false;
bool g_bKeepGoing = false;
bool g_bSubDirs = false;
bool g_bVerbose = false;
bool g_bQuiet = false;
bool g_bProgress = false;
bool g_bDetails = false;
bool g_bIsFKT = false;
HANDLE g_hFile = 0;
DWORD g_dwAccess = 0;
std::int64_t g_nFileSize = 0;
std::int32_t g_nExitCode = 0;
std::int32_t g_nFileSpin = 0;
std::int32_t g_nChunkSpin = 0;
DWORD g_dwLastError = 0;
DWORD g_dwFileAttributes = 0;

void ResetRunState() {
  g_ChunkArray.RemoveAll();
  if (g_hFile != 0) CloseHandle(g_hFile);
  g_strFileSpec = "";
  g_strFilePath = "";
  g_bReadOnly = g_bKeepGoing = g_bSubDirs = false;
  g_bVerbose = g_bQuiet = g_bProgress = false;
  g_bDetails = false;
  g_bIsFKT = false;
  g_hFile = 0;
  g_dwAccess = 0;
  g_nFileSize = 0;
  g_DamageNote = CDamageNote{};
  g_nExitCode = g_nFileSpin = g_nChunkSpin = 0;
  g_dwLastError = 0;
  g_dwFileAttributes = 0;
}
