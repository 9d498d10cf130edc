#include "app/band_header.h"

#include <QPainter>
#include <QStyleOptionHeader>

TBandHeader::TBandHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  // A band spans several sections: repaint all of it whenever one changes.
  connect(this, &QHeaderView::sectionResized, this, [this] { viewport()->update(); });
}

void TBandHeader::SetBands(const QStringList& captions, int columnsPerBand) {
  m_captions = captions;
  m_columnsPerBand = std::max(columnsPerBand, 1);
  viewport()->update();
}

void TBandHeader::SetBandsVisible(bool visible) {
  if (visible == m_bandsVisible) return;
  m_bandsVisible = visible;
  Relayout();
}

void TBandHeader::Relayout() {
  updateGeometry();
  emit geometriesChanged();  // the table places its viewport under the new height
  viewport()->update();
}

int TBandHeader::BandRowHeight() const { return m_bandsVisible ? QHeaderView::sizeHint().height() : 0; }

QSize TBandHeader::sizeHint() const {
  QSize size = QHeaderView::sizeHint();
  size.rheight() += BandRowHeight();
  return size;
}

void TBandHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  QHeaderView::paintSection(painter, rect.adjusted(0, BandRowHeight(), 0, 0), logicalIndex);
}

void TBandHeader::paintEvent(QPaintEvent* event) {
  QHeaderView::paintEvent(event);
  if (!m_bandsVisible) return;
  QPainter painter(viewport());
  for (int band = 0; band < m_captions.size(); ++band) PaintBand(painter, band);
}

void TBandHeader::PaintBand(QPainter& painter, int band) const {
  const int first = band * m_columnsPerBand;
  const int last = std::min(first + m_columnsPerBand, count()) - 1;
  if (first > last) return;
  const int left = sectionViewportPosition(first);
  const int right = sectionViewportPosition(last) + sectionSize(last);
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.rect = QRect(left, 0, right - left, BandRowHeight());
  option.section = band;
  option.text = m_captions[band];
  option.textAlignment = Qt::AlignCenter;
  option.position = QStyleOptionHeader::Middle;
  style()->drawControl(QStyle::CE_Header, &option, &painter, this);
}
