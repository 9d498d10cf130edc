#include "model/annotation_drawing.h"

#include <QTransform>

#include "model/text_block.h"

namespace model {
namespace {

TTextBlock BlockOf(const TAnnotation& annotation) {
  return {annotation.Text(), annotation.Alignment(), annotation.Angle()};
}

}  // namespace

void DrawAnnotation(TGraphics& g, const TProjection& projection, const TAnnotation& annotation) {
  DrawTextBlock(g, BlockOf(annotation), annotation.Font(), projection.TernaryToWorld(annotation.Position(), true));
}

void DrawAnnotations(TGraphics& g, const TProjection& projection, const TAnnotationList& annotations) {
  for (int i = 0; i < annotations.Count(); ++i) DrawAnnotation(g, projection, annotations.Get(i));
}

QPolygonF AnnotationOutline(TGraphics& g, const TProjection& projection, const TAnnotation& annotation) {
  const QPointF anchor = projection.TernaryToWorld(annotation.Position(), true);
  const QRectF box = TextBlockRect(g, BlockOf(annotation), annotation.Font(), QPointF(0, 0));
  QTransform turn;
  turn.translate(anchor.x(), anchor.y());
  turn.rotate(-annotation.Angle());
  return turn.map(QPolygonF(box));
}

int AnnotationAt(TGraphics& g, const TProjection& projection, const TAnnotationList& annotations,
                 const QPointF& world) {
  for (int i = annotations.Count() - 1; i >= 0; --i)
    if (AnnotationOutline(g, projection, annotations.Get(i)).containsPoint(world, Qt::OddEvenFill)) return i;
  return -1;
}

}  // namespace model
