#pragma once

#include <QByteArray>
#include <QString>

namespace geometry {

// A file being written that replaces its target only when the writer commits
// it: the data go to a temporary file beside the target, renamed over it at
// the end, so a failed export leaves no truncated file and keeps whatever
// file was there. New files get the usual permissions (0666 less the umask),
// a replaced file keeps its own. A device or pipe named as the target is
// written in place and never removed.
class TOutputFile {
 public:
  // Opened() tells whether the file could be created.
  explicit TOutputFile(const QString& fileName);
  ~TOutputFile();
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;

  bool Opened() const { return m_opened; }
  int Handle() const { return m_handle; }
  // Hands the descriptor to a library that closes it itself.
  int ReleaseHandle();
  // Writes all of the data; false on any error.
  bool WriteAll(const char* data, qsizetype size);
  // Closes the descriptor; false when the system reports an error doing so.
  bool Close();
  // The file is complete: closes it and puts it in the target's place.
  // False when that fails; the target is then left as it was.
  bool Commit();

 private:
  QByteArray m_path;
  QByteArray m_temporary;  // empty when writing in place
  int m_handle = -1;
  bool m_opened = false;
};

}  // namespace geometry
