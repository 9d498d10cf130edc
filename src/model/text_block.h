#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

#include "model/annotation.h"

// A block of text lines placed about an anchor point in world coordinates:
// the alignment puts the anchor at the block's left edge, middle or right
// edge, always at half its height, and each line is aligned the same way
// inside the block. The angle turns the block counter-clockwise about the
// anchor, in degrees.
namespace model {

struct TTextBlock {
  QString Text;
  TTextAlignment Alignment = taCenter;
  float Angle = 0.0f;
};

// The block's box before turning, in world units.
QRectF TextBlockRect(TGraphics& g, const TTextBlock& block, const TGraphFont& font, const QPointF& anchor);
void DrawTextBlock(TGraphics& g, const TTextBlock& block, const TGraphFont& font, const QPointF& anchor);

}  // namespace model
