// Console reporting. Result lines go to standard output, error lines to standard error.
#include "app/Report.h"

#include <cstdarg>
#include <cstdint>

#include "app/Globals.h"
#include "platform/File.h"
#include "platform/ProgressOutput.h"
#include "support/FormatLastError.h"

const char g_szSpinner[5] = "|/-\\";

namespace {
// Counters run for the whole run and may pass the largest 32-bit value: step them in
// unsigned arithmetic, which wraps, instead of overflowing a signed integer.
void Step(std::int32_t& nCounter) {
  nCounter = static_cast<std::int32_t>(static_cast<std::uint32_t>(nCounter) + 1u);
}

char SpinnerChar(std::int32_t nCounter) { return g_szSpinner[static_cast<std::uint32_t>(nCounter) & 3u]; }
}  // namespace

void LogMsg(FILE* pStream, const char* pszFormat, ...) {
  CString strText;
  va_list args;
  va_start(args, pszFormat);
  strText.FormatV(pszFormat, args);
  va_end(args);
  OutputDebugStringA(strText);
  // Where both streams reach one file or pipe, an error line must follow the result lines
  // printed before it.
  if (pStream != stdout) std::fflush(stdout);
  std::fprintf(pStream, "%s", strText.GetString());
}

void ReportIOError(const char* pszVerb) {
  g_dwLastError = GetLastError();  // before anything else can change it
  const CString strText = FormatLastError(g_dwLastError);
  LogMsg(stderr, "** ERROR %s file \"%s\": %s\n", pszVerb, g_strFilePath.GetString(), strText.GetString());
  if (!g_bKeepGoing) g_nExitCode = -1;
}

void ShowProgress() {
  if (!g_bProgress) return;
  const char achPicture[3] = {SpinnerChar(g_nFileSpin), SpinnerChar(g_nChunkSpin), '\r'};
  WriteProgressPicture(achPicture, sizeof achPicture);
}

void SpinFile() {
  Step(g_nFileSpin);
  ShowProgress();
}

void SpinChunk() {
  Step(g_nChunkSpin);
  ShowProgress();
}
