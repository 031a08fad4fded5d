// The command line: option letters, the one file argument, and the usage text.
#ifndef APP_OPTIONS_H_
#define APP_OPTIONS_H_

/// Sets the option flags and g_strFileSpec from argv[1..argc-1]. Returns 0 to go on, or -1
/// after printing an error paragraph (if any) and the usage text on standard error.
int ParseArgs(int argc, char* argv[]);

/// Prints "\nERROR: <text>\n\n" when the formatted text is not empty, then the usage text,
/// both on standard error. Returns -1, always.
int ShowUsage(const char* pszFormat, ...);

#endif  // APP_OPTIONS_H_
