#include "model/text_block.h"

#include <QPainter>
#include <QStringList>

namespace model {
namespace {

QStringList LinesOf(const QString& text) {
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return lines.split(QLatin1Char('\n'));
}

double AlignedOffset(TTextAlignment alignment, double room) {
  switch (alignment) {
    case taLeft:
      return 0.0;
    case taRight:
      return room;
    default:
      return room / 2;
  }
}

struct TMeasuredBlock {
  QStringList Lines;
  std::vector<double> Widths;
  double LineHeight = 0;
  QSizeF Size;
};

TMeasuredBlock Measure(TGraphics& g, const QString& text, const QFont& font) {
  TMeasuredBlock measured;
  measured.Lines = LinesOf(text);
  measured.LineHeight = g.MeasureString(QStringLiteral("X"), font).height();
  double width = 0;
  for (const QString& line : measured.Lines) {
    measured.Widths.push_back(g.MeasureString(line, font).width());
    width = std::max(width, measured.Widths.back());
  }
  measured.Size = QSizeF(width, measured.LineHeight * measured.Lines.size());
  return measured;
}

QRectF PlacedRect(const QSizeF& size, TTextAlignment alignment, const QPointF& anchor) {
  return QRectF(QPointF(anchor.x() - AlignedOffset(alignment, size.width()), anchor.y() - size.height() / 2), size);
}

}  // namespace

QRectF TextBlockRect(TGraphics& g, const TTextBlock& block, const TGraphFont& font, const QPointF& anchor) {
  return PlacedRect(Measure(g, block.Text, font.CreateFont(g)).Size, block.Alignment, anchor);
}

void DrawTextBlock(TGraphics& g, const TTextBlock& block, const TGraphFont& font, const QPointF& anchor) {
  if (block.Text.isEmpty()) return;
  const QFont qfont = font.CreateFont(g);
  const TMeasuredBlock measured = Measure(g, block.Text, qfont);
  QPainter& painter = g.Painter();
  painter.save();
  painter.translate(anchor);
  painter.rotate(-block.Angle);  // world y grows downward: a positive angle turns counter-clockwise
  const QRectF box = PlacedRect(measured.Size, block.Alignment, QPointF(0, 0));
  for (int i = 0; i < measured.Lines.size(); ++i) {
    const double x = box.left() + AlignedOffset(block.Alignment, box.width() - measured.Widths[size_t(i)]);
    g.DrawString(measured.Lines[i], qfont, font.Brush(), QPointF(x, box.top() + i * measured.LineHeight));
  }
  painter.restore();
}

}  // namespace model
