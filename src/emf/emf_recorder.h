#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <memory>

namespace emf {

class TEmfPaintEngine;
class TMetafileWriter;

// A paint device that records an enhanced metafile of type EMF+ dual: every
// drawing as EMF+ records (kept in EMF comments) followed by its plain EMF
// equivalent. The device is frame pixels large at 96 dpi; the header's frame
// is that size in 0.01 mm and its bounds are the pixels drawn on.
//
//   emf::TEmfRecorder recorder(QSize(400, 300));
//   QPainter painter(&recorder);
//   ... draw ...
//   painter.end();
//   QString error;
//   if (!recorder.SaveToFile(path, &error)) ...;
//
// Several painters may draw in turn; Finish closes the file, after which the
// device takes no more painting.
class TEmfRecorder : public QPaintDevice {
 public:
  explicit TEmfRecorder(const QSize& frame);
  ~TEmfRecorder() override;
  TEmfRecorder(const TEmfRecorder&) = delete;
  TEmfRecorder& operator=(const TEmfRecorder&) = delete;

  QPaintEngine* paintEngine() const override;
  QSize FrameSize() const { return m_frame; }
  // The physical size the header's frame states, when not the pixels' at 96 dpi.
  void SetFrameMillimetres(const QSizeF& millimetres);

  // The complete file. Empty while a painter is still active on the device
  // (the file is not closed then), or when it would exceed 4 GiB.
  QByteArray Finish();
  // Finishes and writes the file through output::TFileWriter. On failure
  // returns false and, when asked, a message naming the file and the reason.
  bool SaveToFile(const QString& fileName, QString* error = nullptr);

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  QSize m_frame;
  std::unique_ptr<TMetafileWriter> m_writer;
  std::unique_ptr<TEmfPaintEngine> m_engine;
};

}  // namespace emf
