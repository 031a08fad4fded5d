// The process exit status for the run's result.
#ifndef PLATFORM_EXITSTATUS_H_
#define PLATFORM_EXITSTATUS_H_

/// What the process hands its parent for main's result. POSIX statuses are 8 bits wide:
/// -1 becomes 255 and a count is clamped to 254, so it never wraps to 0 or to the error value.
int ToProcessExitStatus(int nResult);

#endif  // PLATFORM_EXITSTATUS_H_
