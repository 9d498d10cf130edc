#include "emf_reader.h"

#include <emf2svg.h>
#include <unistd.h>

#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryFile>
#include <QXmlStreamReader>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>

namespace emf_test {

namespace {

uint32_t U32(const QByteArray& bytes, qsizetype offset) {
  return qFromLittleEndian<uint32_t>(bytes.constData() + offset);
}

int32_t I32(const QByteArray& bytes, qsizetype offset) { return int32_t(U32(bytes, offset)); }

QRect StoredRect(const QByteArray& bytes, qsizetype offset) {
  return QRect(QPoint(I32(bytes, offset), I32(bytes, offset + 4)),
               QPoint(I32(bytes, offset + 8), I32(bytes, offset + 12)));
}

QString Convert(const QByteArray& emf, bool verbose) {
  QByteArray contents = emf;  // the converter takes a mutable buffer
  generatorOptions options{};
  options.nameSpace = nullptr;
  options.verbose = verbose;
  options.emfplus = verbose;
  options.svgDelimiter = true;
  char* out = nullptr;
  size_t length = 0;
  const int ok = emf2svg(contents.data(), size_t(contents.size()), &out, &length, &options);
  const QString svg = ok && out ? QString::fromUtf8(out, qsizetype(length)) : QString();
  std::free(out);
  return svg;
}

QTransform ParseTransform(const QString& text) {
  static const QRegularExpression number(QStringLiteral("-?[0-9.]+(?:e-?[0-9]+)?"));
  QList<double> values;
  for (auto match = number.globalMatch(text); match.hasNext();) values << match.next().captured().toDouble();
  if (text.startsWith(QLatin1String("matrix")) && values.size() == 6)
    return QTransform(values[0], values[1], values[2], values[3], values[4], values[5]);
  if (text.startsWith(QLatin1String("translate")) && values.size() == 2)
    return QTransform::fromTranslate(values[0], values[1]);
  return QTransform();
}

}  // namespace

THeader ReadHeader(const QByteArray& emf) {
  THeader header;
  if (emf.size() < 108) return header;
  header.bounds = StoredRect(emf, 8);
  header.frame = StoredRect(emf, 24);
  header.signature = U32(emf, 40);
  header.bytes = U32(emf, 48);
  header.records = U32(emf, 52);
  header.handles = qFromLittleEndian<uint16_t>(emf.constData() + 56);
  header.devicePixels = QSize(I32(emf, 72), I32(emf, 76));
  header.deviceMillimetres = QSize(I32(emf, 80), I32(emf, 84));
  return header;
}

std::vector<TRecord> ReadRecords(const QByteArray& emf) {
  std::vector<TRecord> records;
  qsizetype offset = 0;
  while (offset + 8 <= emf.size()) {
    const TRecord record{U32(emf, offset), U32(emf, offset + 4)};
    if (record.size < 8 || record.size % 4 != 0 || offset + record.size > emf.size()) return {};
    records.push_back(record);
    offset += record.size;
  }
  if (offset != emf.size()) return {};
  return records;
}

int CountRecords(const QByteArray& emf, uint32_t type) {
  int count = 0;
  for (const TRecord& record : ReadRecords(emf)) count += record.type == type;
  return count;
}

QString ConvertToSvg(const QByteArray& emf) { return Convert(emf, false); }

QString ListRecords(const QByteArray& emf) {
  // The listing goes to standard output: catch it in a file.
  QTemporaryFile capture;
  if (!capture.open()) return {};
  std::fflush(stdout);
  const int saved = dup(fileno(stdout));
  dup2(capture.handle(), fileno(stdout));
  Convert(emf, true);
  std::fflush(stdout);
  dup2(saved, fileno(stdout));
  close(saved);
  capture.seek(0);
  return QString::fromUtf8(capture.readAll());
}

bool HasEmfPlusRecords(const QByteArray& emf) {
  QByteArray contents = emf;
  bool emfPlus = false;
  return emf2svg_is_emfplus(contents.data(), size_t(contents.size()), &emfPlus) && emfPlus;
}

QImage RenderSvg(const QString& svg, const QSize& size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QSvgRenderer renderer(svg.toUtf8());
  QPainter painter(&image);
  renderer.render(&painter, QRectF(QPointF(0, 0), renderer.defaultSize()));
  return image;
}

std::vector<TSvgElement> ReadSvgElements(const QString& svg) {
  std::vector<TSvgElement> elements;
  std::vector<QTransform> groups{QTransform()};
  QString clipPathId;
  QXmlStreamReader reader(svg);
  while (!reader.atEnd()) {
    reader.readNext();
    const QString tag = reader.name().toString();
    if (reader.isEndElement()) {
      if (tag == QLatin1String("g")) groups.pop_back();
      if (tag == QLatin1String("clipPath")) clipPathId.clear();
      continue;
    }
    if (!reader.isStartElement()) continue;
    if (tag == QLatin1String("g")) {
      groups.push_back(ParseTransform(reader.attributes().value(QLatin1String("transform")).toString()) *
                       groups.back());
      continue;
    }
    if (tag == QLatin1String("clipPath")) {
      clipPathId = reader.attributes().value(QLatin1String("id")).toString();
      continue;
    }
    if (tag == QLatin1String("svg") || tag == QLatin1String("defs")) continue;
    TSvgElement element;
    element.tag = tag;
    for (const QXmlStreamAttribute& attribute : reader.attributes())
      element.attributes.insert(attribute.name().toString(), attribute.value().toString());
    element.transform = groups.back();
    element.clipPathId = clipPathId;
    if (tag == QLatin1String("text")) element.text = reader.readElementText();
    elements.push_back(element);
  }
  return elements;
}

}  // namespace emf_test
