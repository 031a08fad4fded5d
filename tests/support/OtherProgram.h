// What another program or the user does to a file beside the program under test.
#ifndef TESTS_SUPPORT_OTHERPROGRAM_H_
#define TESTS_SUPPORT_OTHERPROGRAM_H_

#include <memory>
#include <string>

/// Holds the file open until the result goes, as another program would: read-only, or with
/// strHow "write", "lockf" (a POSIX record lock) or "flock" (a shared flock); on Windows without
/// sharing. Null where the file cannot be opened.
std::shared_ptr<void> HoldFile(const std::string& strPath, const std::string& strHow);

/// Gives the file a Windows attribute: 'S' system, 'H' hidden, 'R' read-only. False where there
/// are no such attributes or the system does not keep them.
bool AddAttribute(const std::string& strPath, char chAttribute);

#endif  // TESTS_SUPPORT_OTHERPROGRAM_H_
