#include "tests/support/Capture.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>

#include "tests/support/TempDir.h"
#include "tests/support/TestPlatform.h"

namespace {
std::string RedirectToTemp(FILE* pStream, int* pnSaved) {
  const std::string strPath = UniqueTempPath("brendix-cap-");
  const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::fflush(pStream);
  *pnSaved = ::dup(::fileno(pStream));
  ::dup2(fd, ::fileno(pStream));
  ::close(fd);
  return strPath;
}

std::string Restore(FILE* pStream, int nSaved, const std::string& strPath) {
  std::fflush(pStream);
  ::dup2(nSaved, ::fileno(pStream));
  ::close(nSaved);
  std::string strText = WithPlainLineEnds(ReadFileBytes(strPath));
  std::remove(strPath.c_str());
  return strText;
}
}  // namespace

CCapture::CCapture() {
  m_strOutPath = RedirectToTemp(stdout, &m_nSavedOut);
  m_strErrPath = RedirectToTemp(stderr, &m_nSavedErr);
}

CCapture::~CCapture() { Stop(); }

void CCapture::Stop() {
  if (m_bStopped) return;
  m_bStopped = true;
  m_strOut = Restore(stdout, m_nSavedOut, m_strOutPath);
  m_strErr = Restore(stderr, m_nSavedErr, m_strErrPath);
}

std::string CCapture::Out() {
  Stop();
  return m_strOut;
}

std::string CCapture::Err() {
  Stop();
  return m_strErr;
}
