// File enumeration: one directory search per level, entries handled as they arrive.
#include "app/Walk.h"

#include "app/Check.h"
#include "app/Globals.h"
#include "platform/Find.h"

namespace {
// Returns false when the walk must stop everywhere: an error without /k. Stopping only the
// current directory would let later damaged files add to the -1 and hide the error.
bool WalkDirectory(const char* pszPattern) {
  bool bGoOn = true;
  CFileFind finder;
  if (finder.FindFile(pszPattern, 0)) {
    BOOL bMore = TRUE;
    while (bMore) {
      bMore = finder.FindNextFileA();
      if (finder.IsDots()) continue;
      g_strFilePath = finder.GetFilePath();
      g_dwFileAttributes =
          finder.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT) ? FILE_ATTRIBUTE_REPARSE_POINT : 0;
      if (finder.MatchesMask(FILE_ATTRIBUTE_DIRECTORY)) {
        if (g_bSubDirs) {
          // Only the name part is repeated inside the subdirectory; repeating the whole
          // argument would look for its directory part again and find nothing.
          const CString strName = GetPatternName(g_strFileSpec);
          CString strSubPattern;
          strSubPattern.Format("%s%c%s", g_strFilePath.GetString(), kPathSeparator, strName.GetString());
          if (!WalkDirectory(strSubPattern)) {
            bGoOn = false;
            break;
          }
        }
        continue;
      }
      if (finder.MatchesMask(FILE_ATTRIBUTE_SYSTEM)) continue;
      if (!CheckTapeFile() && !g_bKeepGoing) {
        bGoOn = false;
        break;
      }
    }
  }
  finder.Close();
  return bGoOn;
}
}  // namespace

void ProcessFiles(const char* pszPattern) { WalkDirectory(pszPattern); }
