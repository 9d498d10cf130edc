#pragma once

#include <QHeaderView>
#include <QStringList>

// A horizontal header of two rows: above the column captions, a band row in
// which each caption spans a run of columns. Without bands it is a plain
// header of one row.
class TBandHeader : public QHeaderView {
  Q_OBJECT

 public:
  explicit TBandHeader(QWidget* parent = nullptr);

  // One caption per band; each band spans `columnsPerBand` columns.
  void SetBands(const QStringList& captions, int columnsPerBand);
  void SetBandsVisible(bool visible);
  bool BandsVisible() const { return m_bandsVisible; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  int BandRowHeight() const;
  void PaintBand(QPainter& painter, int band) const;
  void Relayout();

  QStringList m_captions;
  int m_columnsPerBand = 3;
  bool m_bandsVisible = true;
};
