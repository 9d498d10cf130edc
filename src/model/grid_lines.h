#pragma once

#include <vector>

#include "model/axe_element.h"

// The grid lines of one side: lines across the triangle that hold the side's
// component constant at each inner graduation. The two end graduations (the
// start vertex and the opposite side) get none.
class TGridLines : public TAxeElement {
 public:
  TGridLines();

  // The grid lines in drawing order, each from its end on the element's side
  // to its end on the other side through the start vertex.
  std::vector<TTernaryCouple> Lines() const;

  void Draw(TGraphics& g, const TProjection& projection) override;
  // With fewer than three graduations there are no lines, and the bounds are
  // the start vertex alone, which the axis' own bounds hold already.
  TDoubleRect GetBounds(TGraphics& g, const TProjection& projection) override;

  void SetDefaults() override;
};
