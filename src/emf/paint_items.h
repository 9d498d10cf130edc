#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <span>

// What the recorder draws, reduced to what both record formats can carry.
// Coordinates and widths are logical units: the painter's world transform
// maps them to device pixels.
namespace emf {

// Numbered as the EMF+ line styles and the GDI pen styles are.
enum class TDash : uint8_t { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };
enum class TCap : uint8_t { Flat, Square, Round };
enum class TJoin : uint8_t { Miter, Bevel, Round };

struct TStroke {
  uint32_t argb = 0xFF000000;
  float width = 1;
  TDash dash = TDash::Solid;
  TCap cap = TCap::Flat;
  TJoin join = TJoin::Miter;
  float miterLimit = 2;
  bool operator==(const TStroke&) const = default;
};

struct TFill {
  uint32_t argb = 0xFF000000;
  bool operator==(const TFill&) const = default;
};

enum class TShapeKind : uint8_t { Rectangle, Ellipse, Polygon, Polyline };

// A rectangle or ellipse (rect, normalised), or a closed polygon or open
// polyline (points, not owned).
struct TShape {
  TShapeKind kind = TShapeKind::Rectangle;
  QRectF rect;
  std::span<const QPointF> points;
  bool winding = false;  // polygon fill rule; alternate when false
};

// Family, em size in logical units, weight 100..900 and slant of a font.
struct TFontSpec {
  QString family;
  float emSize = 12;
  int weight = 400;
  bool italic = false;
  bool operator==(const TFontSpec&) const = default;
};

// One run of text on a baseline. offsets[i] is the x of character i (UTF-16
// unit) from the baseline origin; offsets has one more entry, the run's end.
struct TTextRun {
  QString text;
  TFontSpec font;
  uint32_t argb = 0xFF000000;
  QPointF origin;
  std::span<const double> offsets;
};

}  // namespace emf
