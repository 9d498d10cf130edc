#pragma once

#include <QString>

namespace geometry {

// A file being written that disappears again unless the writer keeps it, so a
// failed export leaves no truncated file behind. New files get the usual
// permissions (0666 less the umask). Only regular files are ever removed: a
// device or pipe named as the target is left alone.
class TOutputFile {
 public:
  // Creates or truncates the file; Opened() tells whether that worked.
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
  // The file is complete: it stays when this object goes.
  void Keep() { m_keep = true; }

 private:
  QByteArray m_path;
  int m_handle = -1;
  bool m_opened = false;
  bool m_regular = false;
  bool m_keep = false;
};

}  // namespace geometry
