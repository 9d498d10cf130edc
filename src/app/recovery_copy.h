#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

class TGraphControl;

namespace app {

// A copy of the document being edited, written while it has unsaved changes
// so that a crash loses at most one interval of work.
//
// The copies live in the user's cache folder, under "recovery", never beside
// the document. A copy is two files named by one key: <key>.xml, the diagram
// as the control saves it, and <key>.path, a line of text holding the
// document's absolute path (empty for an unnamed document). The key of a
// named document is a hash of its path, so its copies replace each other; an
// unnamed document gets a key of its own per window. The document's format
// stays untouched. While a window owns a copy it holds <key>.lock, so that a
// second running program never offers the copy of a live one; a crashed
// program's lock is stale and taken over.
class TRecoveryCopy : public QObject {
 public:
  // A copy left by an earlier run.
  struct TFound {
    QString Key;
    QString CopyPath;  // the diagram to load
    QString Document;  // its document's absolute path; empty when unnamed
    QDateTime Written;
  };

  // The interval between copies in milliseconds: one minute, or
  // VARENTA_RECOVERY_INTERVAL_MS when it holds a positive number.
  static int IntervalFromEnvironment();
  // The folder of the copies, created on the first write.
  static QString Folder();
  // The copies worth offering, the most recent first: those of an unnamed
  // document, of a document that no longer exists, or written after their
  // document was last saved; none that a running program holds.
  static std::vector<TFound> Find();
  // Deletes a copy found by Find.
  static void Discard(const TFound& found);

  explicit TRecoveryCopy(const TGraphControl& control, int intervalMs = IntervalFromEnvironment());
  TRecoveryCopy(const TRecoveryCopy&) = delete;
  TRecoveryCopy& operator=(const TRecoveryCopy&) = delete;

  // The document the next copy belongs to; empty while it has no file.
  void SetDocument(const QString& fileName);
  // Starts the interval while the document has unsaved changes; the end of
  // the changes (a save, a discard, an undo back to the saved state) removes
  // the copy.
  void SetModified(bool modified);
  // Writes the copy now. A failure is reported on the console only: a copy
  // that cannot be written must not interrupt the user's work.
  void Write();
  // Removes the copy last written, if any.
  void Remove();
  // Takes over a copy found by Find, restored into the control: the next
  // write replaces it and Remove deletes it.
  void Adopt(const TFound& found);

  int Interval() const { return m_timer.interval(); }
  // The key of the copy written, or to be written, now.
  QString CurrentKey() const;

 private:
  void Hold(const QString& key);

  const TGraphControl& m_control;
  QTimer m_timer;
  QString m_document;
  QString m_unnamedKey;
  QString m_writtenKey;               // empty while no copy of this window exists
  std::unique_ptr<QLockFile> m_lock;  // of m_writtenKey's copy
};

}  // namespace app
