#include "model/graph_element.h"

#include "geometry/device_conversions.h"

void TGraphElement::Changed() {
  if (OnChange) OnChange(this);
}

void TGraphElement::EndUpdate(bool silent) {
  if (m_updateCount <= 0) return;
  if (--m_updateCount == 0 && !silent) Changed();
}

QRectF TGraphDrawable::GetWorldBounds(TGraphics& g, const TProjection& projection) {
  return geometry::PlaneRectToWorldRectF(projection, GetBounds(g, projection));
}

QRect TGraphDrawable::GetPixelRect(TGraphics& g, const TProjection& projection) {
  return geometry::PlaneRectToDeviceRect(g, projection, GetBounds(g, projection));
}

QRectF TGraphDrawable::GetPixelBounds(TGraphics& g, const TProjection& projection) {
  return geometry::PlaneRectToDeviceRectF(g, projection, GetBounds(g, projection));
}

void RouteChangesTo(TGraphElement& part, TGraphElement& owner) {
  part.OnChange = [&owner](TGraphElement*) {
    owner.BeginUpdate();
    owner.EndUpdate(false);
  };
}
