#pragma once

#include <QByteArray>
#include <QImage>
#include <QMap>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <vector>

// Reading recorded metafiles back, independently of the recorder: libemf2svg
// converts the EMF records to SVG and lists every EMF and EMF+ record; Qt Svg
// renders that SVG. Only the fixed header fields and the record framing are
// read directly from the bytes.
namespace emf_test {

struct THeader {
  QRect bounds;  // as stored: left, top, right, bottom (inclusive)
  QRect frame;   // as stored, 0.01 mm
  uint32_t signature = 0;
  uint32_t bytes = 0;
  uint32_t records = 0;
  uint16_t handles = 0;
  QSize devicePixels;
  QSize deviceMillimetres;
};
THeader ReadHeader(const QByteArray& emf);

struct TRecord {
  uint32_t type = 0;
  uint32_t size = 0;
};
// The EMF records in file order; empty when the framing is broken (a size
// that is not a positive multiple of 4, or that runs past the end).
std::vector<TRecord> ReadRecords(const QByteArray& emf);
int CountRecords(const QByteArray& emf, uint32_t type);

// libemf2svg's SVG of the EMF records; empty when it fails.
QString ConvertToSvg(const QByteArray& emf);
// libemf2svg's listing of every record, EMF+ records included.
QString ListRecords(const QByteArray& emf);
bool HasEmfPlusRecords(const QByteArray& emf);

// The SVG rendered on white, one SVG unit per pixel.
QImage RenderSvg(const QString& svg, const QSize& size);

// A drawing element of the SVG with its attributes, its text and the
// transform from its coordinates to the SVG's.
struct TSvgElement {
  QString tag;
  QMap<QString, QString> attributes;
  QString text;
  QTransform transform;
  QString clipPathId;  // of the clip path this element belongs to, if any
  double Number(const QString& name) const { return attributes.value(name).toDouble(); }
};
std::vector<TSvgElement> ReadSvgElements(const QString& svg);

}  // namespace emf_test
