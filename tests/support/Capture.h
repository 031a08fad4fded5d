// Captures what the program writes to standard output and standard error during a scope.
#ifndef TESTS_SUPPORT_CAPTURE_H_
#define TESTS_SUPPORT_CAPTURE_H_

#include <string>

class CCapture {
 public:
  CCapture();
  ~CCapture();
  CCapture(const CCapture&) = delete;
  CCapture& operator=(const CCapture&) = delete;

  /// Ends the capture (once) and returns what was written.
  std::string Out();
  std::string Err();

 private:
  void Stop();
  int m_nSavedOut = -1;
  int m_nSavedErr = -1;
  std::string m_strOutPath;
  std::string m_strErrPath;
  std::string m_strOut;
  std::string m_strErr;
  bool m_bStopped = false;
};

#endif  // TESTS_SUPPORT_CAPTURE_H_
