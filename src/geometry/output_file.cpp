#include "geometry/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>

namespace geometry {

TOutputFile::TOutputFile(const QString& fileName) : m_path(QFile::encodeName(fileName)) {
  if (m_path.isEmpty()) return;
  m_handle = ::open(m_path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  m_opened = m_handle >= 0;
  struct stat status {};
  m_regular = m_opened && ::fstat(m_handle, &status) == 0 && S_ISREG(status.st_mode);
}

TOutputFile::~TOutputFile() {
  Close();
  if (m_opened && m_regular && !m_keep) ::unlink(m_path.constData());
}

int TOutputFile::ReleaseHandle() {
  const int handle = m_handle;
  m_handle = -1;
  return handle;
}

bool TOutputFile::WriteAll(const char* data, qsizetype size) {
  while (size > 0) {
    const ssize_t written = ::write(m_handle, data, static_cast<size_t>(size));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool TOutputFile::Close() {
  if (m_handle < 0) return true;
  const int handle = ReleaseHandle();
  return ::close(handle) == 0;
}

}  // namespace geometry
