#include "output/file_writer.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace output {

namespace {

// Writes are gathered into blocks of this size before they reach the system.
constexpr qsizetype kBufferSize = 256 * 1024;
// As the system itself gives up resolving a name.
constexpr int kMaxLinkHops = 40;
// Enough tries to step over leftovers of earlier runs with the same name.
constexpr int kTemporaryNameAttempts = 100;

QString SystemReason(int error) { return QString::fromStdString(std::generic_category().message(error)); }

QByteArray FolderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return {};
  return path.left(slash + 1);
}

// The name a write finally lands on: symbolic links followed, also one that
// points at nothing yet (the file is then created where it points). Sets
// errno and returns an empty name when the links cannot be followed.
QByteArray ResolveLinks(QByteArray path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0) return errno == ENOENT ? path : QByteArray();
    if (!S_ISLNK(status.st_mode)) return path;
    QByteArray target(qsizetype(status.st_size > 0 ? status.st_size : PATH_MAX) + 1, '\0');
    const ssize_t length = ::readlink(path.constData(), target.data(), size_t(target.size()));
    if (length < 0) return {};
    target.truncate(qsizetype(length));
    path = target.startsWith('/') ? target : FolderOf(path) + target;
  }
  errno = ELOOP;
  return {};
}

// A pipe whose reader has gone raises SIGPIPE, which would end the program:
// while this lives the signal stays blocked on this thread, and one raised
// meanwhile is taken off again, so the write just fails with EPIPE.
class TBrokenPipeGuard {
 public:
  TBrokenPipeGuard() {
    sigemptyset(&m_pipe);
    sigaddset(&m_pipe, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    m_wasPending = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
  }
  ~TBrokenPipeGuard() {
    sigset_t pending;
    sigpending(&pending);
    if (!m_wasPending && sigismember(&pending, SIGPIPE) == 1) {
      const timespec noWait{0, 0};
      while (sigtimedwait(&m_pipe, nullptr, &noWait) < 0 && errno == EINTR) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
  }
  TBrokenPipeGuard(const TBrokenPipeGuard&) = delete;
  TBrokenPipeGuard& operator=(const TBrokenPipeGuard&) = delete;

 private:
  sigset_t m_pipe;
  sigset_t m_previous;
  bool m_wasPending = false;
};

int ConnectSocket(const QByteArray& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (size_t(path.size()) >= sizeof(address.sun_path)) {
    errno = ENAMETOOLONG;
    return -1;
  }
  std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
  const int handle = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (handle < 0) return -1;
  if (::connect(handle, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
    const int error = errno;
    ::close(handle);
    errno = error;
    return -1;
  }
  return handle;
}

}  // namespace

TFileWriter::TFileWriter(const QString& fileName) : m_fileName(fileName) {
  // Always open as a device, so that writers report a failed file through
  // their own write calls rather than through Qt's warnings.
  QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  m_buffer.reserve(kBufferSize);
  Open();
}

TFileWriter::~TFileWriter() {
  CloseHandle();
  if (!m_temporary.isEmpty()) ::unlink(m_temporary.constData());
}

QString TFileWriter::ErrorMessage() const { return QStringLiteral("Cannot write \"%1\": %2").arg(m_fileName, m_error); }

void TFileWriter::Fail(const QString& reason) {
  if (m_error.isEmpty()) m_error = reason.isEmpty() ? QStringLiteral("unknown error") : reason;
  setErrorString(ErrorMessage());
}

void TFileWriter::FailWithErrno(int error) { Fail(SystemReason(error)); }

void TFileWriter::Open() {
  if (m_fileName.isEmpty()) return FailWithErrno(ENOENT);
  const QByteArray name = QFile::encodeName(m_fileName);
  // stat follows every link, the system's own too (/dev/stdout names a pipe
  // through links that are no file names): what is at the end decides.
  struct stat status {};
  if (::stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
    m_target = name;
    return OpenInPlace();
  }
  m_target = ResolveLinks(name);
  if (m_target.isEmpty()) return FailWithErrno(errno);
  OpenTemporary();
}

void TFileWriter::OpenInPlace() {
  struct stat status {};
  ::stat(m_target.constData(), &status);
  m_isSocket = S_ISSOCK(status.st_mode);
  // No O_TRUNC: the devices and pipes written here have nothing to truncate.
  m_handle = m_isSocket ? ConnectSocket(m_target) : ::open(m_target.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (m_handle < 0) FailWithErrno(errno);
}

void TFileWriter::OpenTemporary() {
  struct stat replaced {};
  const bool replaces = ::stat(m_target.constData(), &replaced) == 0;
  const QByteArray stem = m_target + ".tmp-" + QByteArray::number(qint64(::getpid())) + "-";
  for (int attempt = 0; attempt < kTemporaryNameAttempts && m_handle < 0; ++attempt) {
    m_temporary = stem + QByteArray::number(attempt);
    // Created with 0666, so the system applies the umask as for any new file.
    m_handle = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_handle < 0 && errno != EEXIST) break;
  }
  if (m_handle < 0) {
    m_temporary.clear();
    return FailWithErrno(errno);
  }
  if (replaces) {
    // Only the owner or root may hand the file on; otherwise it stays ours.
    if (::fchown(m_handle, replaced.st_uid, replaced.st_gid) != 0) {
    }
    ::fchmod(m_handle, replaced.st_mode & 07777);
  }
}

qint64 TFileWriter::readData(char*, qint64) { return -1; }

qint64 TFileWriter::writeData(const char* data, qint64 size) {
  if (Failed() || m_committed) return -1;
  if (m_buffer.size() + size > kBufferSize) {
    if (!Flush()) return -1;
    if (size >= kBufferSize) return WriteToHandle(data, size) ? size : -1;
  }
  m_buffer.append(data, qsizetype(size));
  return size;
}

bool TFileWriter::Flush() {
  if (Failed()) return false;
  const bool written = WriteToHandle(m_buffer.constData(), m_buffer.size());
  m_buffer.clear();
  return written;
}

bool TFileWriter::WriteToHandle(const char* data, qint64 size) {
  const TBrokenPipeGuard guard;
  while (size > 0) {
    const ssize_t written =
        m_isSocket ? ::send(m_handle, data, size_t(size), MSG_NOSIGNAL) : ::write(m_handle, data, size_t(size));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      FailWithErrno(written < 0 ? errno : EIO);
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

void TFileWriter::CloseHandle() {
  if (m_handle < 0) return;
  const int handle = m_handle;
  m_handle = -1;
  // A close can report a write that failed late (full disk, network file).
  if (::close(handle) != 0 && errno != EINTR) FailWithErrno(errno);
}

bool TFileWriter::Commit() {
  if (m_committed) return !Failed();
  m_committed = true;
  Flush();
  // Synced before the rename, so a crash cannot leave the new name empty.
  if (!Failed() && !m_temporary.isEmpty() && ::fsync(m_handle) != 0) FailWithErrno(errno);
  CloseHandle();
  if (!Failed() && !m_temporary.isEmpty()) {
    if (::rename(m_temporary.constData(), m_target.constData()) == 0)
      m_temporary.clear();
    else
      FailWithErrno(errno);
  }
  QIODevice::close();
  return !Failed();
}

bool WriteFile(const QString& fileName, QByteArrayView data, QString* error) {
  TFileWriter file(fileName);
  file.write(data.data(), data.size());
  const bool written = file.Commit();
  if (!written && error) *error = file.ErrorMessage();
  return written;
}

}  // namespace output
