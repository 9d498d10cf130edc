#include "output/pdf_page_box.h"

#include <cmath>

namespace output {

namespace {

// Page sizes of pictures are multiples of a quarter point (a pixel at 96 dpi
// is 0.75 pt) or physical sizes such as 84 mm (238.1102 pt); four decimals
// are plenty and keep the box short.
QByteArray Number(double value) {
  QByteArray text = QByteArray::number(value, 'f', 4);
  while (text.endsWith('0')) text.chop(1);
  if (text.endsWith('.')) text.chop(1);
  return text;
}

}  // namespace

TExactPageBoxDevice::TExactPageBoxDevice(QIODevice& target, const QSizeF& exact) : m_target(target) {
  const QSizeF page = WriterPageSize(exact);
  // As Qt's PDF engine formats the page's box.
  m_writerBox =
      "/MediaBox [0 0 " + QByteArray::number(page.width(), 'f') + " " + QByteArray::number(page.height(), 'f') + "]";
  // The page's content is placed from its top edge: the exact box keeps the
  // top and gives up the bottom.
  QByteArray box = "/MediaBox [0 " + Number(page.height() - exact.height()) + " " + Number(exact.width()) + " " +
                   Number(page.height()) + "]";
  if (box.size() <= m_writerBox.size()) m_exactBox = box + QByteArray(m_writerBox.size() - box.size(), ' ');
  QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

QSizeF TExactPageBoxDevice::WriterPageSize(const QSizeF& exact) {
  return QSizeF(std::max(1.0, std::ceil(exact.width())), std::max(1.0, std::ceil(exact.height())));
}

qint64 TExactPageBoxDevice::readData(char*, qint64) { return -1; }

qint64 TExactPageBoxDevice::writeData(const char* data, qint64 size) {
  if (m_replaced || m_exactBox.isEmpty()) return Pass(QByteArray::fromRawData(data, qsizetype(size))) ? size : -1;
  m_pending.append(data, qsizetype(size));
  const qsizetype at = m_pending.indexOf(m_writerBox);
  if (at >= 0) {
    m_pending.replace(at, m_writerBox.size(), m_exactBox);
    m_replaced = true;
    const QByteArray all = std::exchange(m_pending, {});
    return Pass(all) ? size : -1;
  }
  // Hold back only what could still begin the box.
  const qsizetype keep = std::min(m_pending.size(), m_writerBox.size() - 1);
  const QByteArray passed = m_pending.left(m_pending.size() - keep);
  m_pending.remove(0, m_pending.size() - keep);
  return Pass(passed) ? size : -1;
}

bool TExactPageBoxDevice::Pass(const QByteArray& bytes) {
  return bytes.isEmpty() || m_target.write(bytes) == bytes.size();
}

bool TExactPageBoxDevice::Finish() { return Pass(std::exchange(m_pending, {})); }

}  // namespace output
