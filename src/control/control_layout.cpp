#include "control/control_layout.h"

#include <algorithm>

#include "control/control_label.h"

namespace {

// A band height read from a document can be anything; beyond this it can only
// push the graph area off the control, and keeping it small keeps the integer
// rectangle arithmetic from overflowing.
constexpr int kMaxBandHeight = 1 << 20;

int BandHeight(const TControlLabel& label) {
  if (!label.Visible()) return 0;
  return std::clamp(label.Height(), -kMaxBandHeight, kMaxBandHeight);
}

QRect RectFromEdges(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

}  // namespace

TControlLayout ComputeLayout(int width, int height, const TControlLabel& header, const TControlLabel& footer) {
  TControlLayout layout;
  layout.Header = RectFromEdges(0, 0, width, BandHeight(header));
  layout.Footer = RectFromEdges(0, height - BandHeight(footer), width, height);
  layout.GraphArea = RectFromEdges(0, layout.Header.top() + layout.Header.height(), width, layout.Footer.top());
  return layout;
}
