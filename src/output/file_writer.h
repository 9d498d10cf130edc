#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

namespace output {

// The one way the program writes a file. What happens depends on what the
// name points at:
// - a regular file, or nothing yet: the data go to a temporary file beside
//   it, which replaces the target only once completely written and synced; a
//   replaced file keeps its permissions (and, where allowed, its owner), a
//   new one gets 0666 less the umask. A failure leaves the old file, or none.
// - a symbolic link: the link is followed to the end and its target is
//   written as above; the link itself stays.
// - a pipe, character or block device, or socket: written in place, never
//   removed or replaced (what was written before a failure stays written).
//
//   output::TFileWriter file(name);
//   file.write(data);            // any QIODevice writer works
//   if (!file.Commit()) throw ...(file.ErrorMessage());
//
// The first failure sticks: later writes are refused and Commit returns
// false. ErrorMessage names the file and the system's reason, such as
// "Cannot write "a.png": No space left on device". Destroying a writer that
// was not committed discards what it wrote.
class TFileWriter final : public QIODevice {
 public:
  explicit TFileWriter(const QString& fileName);
  ~TFileWriter() override;
  TFileWriter(const TFileWriter&) = delete;
  TFileWriter& operator=(const TFileWriter&) = delete;

  bool Failed() const { return !m_error.isEmpty(); }
  QString ErrorMessage() const;
  // Records a failure of the caller's own (an encoder that gave up, say), so
  // that Commit refuses the file and ErrorMessage gives this reason.
  void Fail(const QString& reason);
  // Writes what is buffered and puts the file in place. False on any failure
  // since the writer was created.
  bool Commit();

  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  void Open();
  void OpenInPlace();
  void OpenTemporary();
  bool Flush();
  bool WriteToHandle(const char* data, qint64 size);
  void FailWithErrno(int error);
  void CloseHandle();

  QString m_fileName;
  QByteArray m_target;     // the file finally written, symbolic links resolved
  QByteArray m_temporary;  // empty when writing in place
  int m_handle = -1;
  bool m_isSocket = false;
  bool m_committed = false;
  QByteArray m_buffer;
  QString m_error;
};

// Writes data as the whole content of a file, as TFileWriter does. Returns
// false and, when asked, the message of the failure.
bool WriteFile(const QString& fileName, QByteArrayView data, QString* error = nullptr);

}  // namespace output
