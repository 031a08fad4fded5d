// Opening paths on POSIX however long they are and however few descriptors are left.
#ifndef PLATFORM_POSIX_OPENPATH_H_
#define PLATFORM_POSIX_OPENPATH_H_

/// open(2) of an absolute or relative path of any length: a path the system's limit refuses is
/// opened a piece at a time, each piece relative to the directory before it. When the process
/// has no descriptor left, a releaser (see below) gives one back and the open is tried again.
/// Returns the descriptor, or -1 with errno set.
int OpenPath(const char* pszPath, int nFlags);

/// fstatat(2) of a path of any length, with the same piecewise opening.
int StatPath(const char* pszPath, struct stat* pStat, bool bFollowLink);

/// Something that can close a descriptor of its own on demand (the directory search reads the
/// rest of a directory into memory). It answers false when it has nothing left to give.
using HandleReleaser = bool (*)();
void SetHandleReleaser(HandleReleaser pfnRelease);

#endif  // PLATFORM_POSIX_OPENPATH_H_
