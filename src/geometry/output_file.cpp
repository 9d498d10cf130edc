#include "geometry/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>

namespace geometry {

namespace {

// Enough tries to step over leftovers of earlier runs with the same name.
constexpr int kTemporaryNameAttempts = 100;

}  // namespace

TOutputFile::TOutputFile(const QString& fileName) : m_path(QFile::encodeName(fileName)) {
  if (m_path.isEmpty()) return;
  struct stat target {};
  const bool exists = ::stat(m_path.constData(), &target) == 0;
  if (exists && !S_ISREG(target.st_mode)) {
    m_handle = ::open(m_path.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    m_opened = m_handle >= 0;
    return;
  }
  for (int attempt = 0; attempt < kTemporaryNameAttempts && m_handle < 0; ++attempt) {
    m_temporary = m_path + ".tmp-" + QByteArray::number(qint64(::getpid())) + "-" + QByteArray::number(attempt);
    // Created with 0666, so the kernel applies the umask as for any new file.
    m_handle = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_handle < 0 && errno != EEXIST) break;
  }
  m_opened = m_handle >= 0;
  if (!m_opened) {
    m_temporary.clear();
    return;
  }
  if (exists) ::fchmod(m_handle, target.st_mode & 07777);
}

TOutputFile::~TOutputFile() {
  Close();
  if (!m_temporary.isEmpty()) ::unlink(m_temporary.constData());
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

bool TOutputFile::Commit() {
  if (!m_opened || !Close()) return false;
  if (m_temporary.isEmpty()) return true;  // written in place
  if (::rename(m_temporary.constData(), m_path.constData()) != 0) return false;
  m_temporary.clear();
  return true;
}

}  // namespace geometry
