#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QSizeF>

namespace output {

// Qt's PDF writer gives a page whole points. For a page of exact size `exact`
// (fractional points), let the writer make the page ceil(exact) points large
// and write its file through this device: the page's media box then becomes
// the top-left `exact` part of that page, where the picture is. Everything
// else passes through unchanged, and the box is rewritten in place with the
// same number of bytes, so the file's cross-reference offsets stay right.
// When the writer's box is not found (another Qt version writes it otherwise)
// the file keeps the whole-point page.
class TExactPageBoxDevice final : public QIODevice {
 public:
  TExactPageBoxDevice(QIODevice& target, const QSizeF& exact);

  // The whole-point page size to give the PDF writer.
  static QSizeF WriterPageSize(const QSizeF& exact);
  // Passes on what is held back; call once the writer has finished.
  bool Finish();

  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  bool Pass(const QByteArray& bytes);

  QIODevice& m_target;
  QByteArray m_writerBox;  // the box as Qt writes it
  QByteArray m_exactBox;   // the same number of bytes
  QByteArray m_pending;    // the tail that may start the writer's box
  bool m_replaced = false;
};

}  // namespace output
