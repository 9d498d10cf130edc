#pragma once

#include <QPointF>
#include <QPolygonF>

#include "model/annotation_list.h"

// The free texts on the diagram: drawn at their projected positions, so they
// follow rotation, mirror, zoom and the right-angled projection, and found
// under a point for the mouse.
namespace model {

void DrawAnnotation(TGraphics& g, const TProjection& projection, const TAnnotation& annotation);
void DrawAnnotations(TGraphics& g, const TProjection& projection, const TAnnotationList& annotations);
// The turned box of an annotation's text in world coordinates.
QPolygonF AnnotationOutline(TGraphics& g, const TProjection& projection, const TAnnotation& annotation);
// The index of the topmost annotation whose box holds `world`, or -1.
int AnnotationAt(TGraphics& g, const TProjection& projection, const TAnnotationList& annotations, const QPointF& world);

}  // namespace model
