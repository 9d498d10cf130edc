#pragma once

#include <QIODevice>
#include <QPaintDevice>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <memory>

namespace svg {

class TSvgPaintEngine;
class TSvgStream;

// A paint device that writes an SVG 1.1 document to `out` while it is being
// painted on, keeping about a megabyte of it in memory whatever its size. The
// document is `size` pixels at 96 dpi, with the viewBox "0 0 W H"; given a
// physical size, its width and height are that many millimetres instead, and
// the viewBox is that size in pixels at 96 dpi.
//
//   svg::TSvgWriter writer(file, QSize(400, 300));
//   QPainter painter(&writer);
//   ... draw ...
//   painter.end();               // writes </svg> and flushes
//   if (writer.Failed()) ... writer.ErrorString() ...;
//
// One painter draws the whole document: once it has ended, the device takes
// no more painting.
class TSvgWriter : public QPaintDevice {
 public:
  static constexpr int kDpi = 96;

  TSvgWriter(QIODevice& out, QSize size, QSizeF millimetres = QSizeF());
  ~TSvgWriter() override;
  TSvgWriter(const TSvgWriter&) = delete;
  TSvgWriter& operator=(const TSvgWriter&) = delete;

  QPaintEngine* paintEngine() const override;
  QSize Size() const { return m_size; }

  // True once the document has been closed by the end of the painting.
  bool Finished() const;
  // True when writing to the device failed; the document is incomplete then.
  bool Failed() const;
  QString ErrorString() const;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  QSize m_size;
  std::unique_ptr<TSvgStream> m_stream;
  std::unique_ptr<TSvgPaintEngine> m_engine;
};

}  // namespace svg
