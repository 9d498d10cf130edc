#pragma once

#include <QRect>
#include <QRectF>

class TControlLabel;

// The three bands of the control: header on top, footer at the bottom, the
// diagram in between. The graph area comes out empty or inverted when the two
// bands are taller than the control.
struct TControlLayout {
  QRect Header;
  QRect Footer;
  QRect GraphArea;
  // The legend box, empty when none is shown (see legend_layout.h).
  QRect Legend;
  // Right of the graph area: the colour bars, when a series shows one.
  QRect ColorBars;

  // The graph area as (left, top, width, height) for fitting the diagram.
  QRectF GraphAreaF() const { return QRectF(GraphArea); }
};

TControlLayout ComputeLayout(int width, int height, const TControlLabel& header, const TControlLabel& footer);
