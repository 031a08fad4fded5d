// The walk over the files and subdirectories that match the file argument.
#ifndef APP_WALK_H_
#define APP_WALK_H_

/// Checks every ordinary file of the pattern's directory whose name matches, and with /s
/// walks every matching subdirectory for the pattern's name part. Without /k the first
/// failed check ends the whole walk.
void ProcessFiles(const char* pszPattern);

#endif  // APP_WALK_H_
