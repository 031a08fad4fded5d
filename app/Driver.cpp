#include "app/Driver.h"

#include <cstdio>

#include "app/Globals.h"
#include "app/Options.h"
#include "app/Walk.h"

int BrendixMain(int argc, char* argv[]) {
  if (!AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), 0)) {
    // Plain printf: nothing else of the program can be relied on yet.
    std::printf("** Fatal Error! ** MFC initialization failed!\n");
    return -1;
  }
  const int nResult = ParseArgs(argc, argv);
  if (nResult != 0) return nResult;
  ProcessFiles(g_strFileSpec);
  g_ChunkArray.RemoveAll();
  return g_nExitCode;
}
