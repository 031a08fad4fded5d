// Everything the user sees: result and error lines, the usage text's output path, progress.
#ifndef APP_REPORT_H_
#define APP_REPORT_H_

#include <cstdio>

/// The progress indicator's four pictures.
extern const char g_szSpinner[5];

/// Formats once (no length limit), hands the text to the debugger channel, then writes it to
/// pStream as data, so that a "%" inside a value prints literally.
void LogMsg(FILE* pStream, const char* pszFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

/// Writes "** ERROR <verb> file "<path>": <text>" to standard error for the last failed call
/// and makes the exit status -1 unless /k. Call it right after the failed call.
void ReportIOError(const char* pszVerb);

/// One more file begun / one more header read attempted; each redraws the indicator.
void SpinFile();
void SpinChunk();
/// Draws "<file char><block char>\r" on standard output when /p is on.
void ShowProgress();

#endif  // APP_REPORT_H_
