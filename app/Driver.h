// The program's run from start-up to exit status.
#ifndef APP_DRIVER_H_
#define APP_DRIVER_H_

/// Starts the framework, parses the command line, walks the files and empties the block list.
/// Returns -1 for an unrecoverable error, else the number of files fixed or needing a fix.
int BrendixMain(int argc, char* argv[]);

#endif  // APP_DRIVER_H_
