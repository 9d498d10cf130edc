#pragma once

#include <QBrush>
#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "geometry/raster_fast_paths.h"

// Dash patterns of pens, stored in documents as their ordinal. The dialogs
// offer 0 to 4; Custom and any other value draw solid.
enum TDashStyle : int32_t {
  DashStyleSolid = 0,
  DashStyleDash = 1,
  DashStyleDot = 2,
  DashStyleDashDot = 3,
  DashStyleDashDotDot = 4,
  DashStyleCustom = 5,
};

// Font style bits as the drawing surface takes them.
enum TFontStyleBits : int { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeout = 8 };

namespace geometry {

// Fonts are sized against this fixed resolution: one world unit is one pixel
// at 96 dpi on every device, so a diagram looks the same on screen and paper.
constexpr double kReferenceDpi = 96.0;

// Colours of the model are 32-bit ARGB values, alpha in the top byte.
QColor ColorFromArgb(uint32_t argb);
uint32_t ArgbFromColor(const QColor& color);
// A toolkit colour 0x00BBGGRR as opaque ARGB.
uint32_t ArgbFromToolkitColor(uint32_t bgr);
uint32_t ToolkitColorFromColor(const QColor& color);

QPen MakePen(uint32_t argb, double width, int dashStyle = DashStyleSolid);
QBrush MakeBrush(uint32_t argb);

}  // namespace geometry

// The drawing context every model element draws on: a thin layer over a
// QPainter that fixes the conventions of the diagram (world units, alternate
// polygon fill, fonts in points at the reference resolution, text placed by
// its top-left corner, smooth drawing on raster devices). It does not own
// the painter.
class TGraphics {
 public:
  // Turns on smoothing (anti-aliased shapes and text) when the painter draws
  // on pixels; vector devices draw as they always have.
  explicit TGraphics(QPainter& painter);

  // Whether shapes and text are drawn smooth. Turning it off draws faster
  // and in stair steps; it cannot be turned on for vector devices.
  bool Smooth() const { return m_smooth; }
  void SetSmooth(bool smooth);

  QPainter& Painter() const { return m_painter; }
  QPaintDevice* Device() const { return m_painter.device(); }

  void Clear(uint32_t argb);

  // World to device mapping (the painter's combined transform) and back.
  QTransform WorldTransform() const;
  double PageScale() const { return 1.0; }
  QPointF WorldToDevice(const QPointF& world) const;
  QPointF DeviceToWorld(const QPointF& device) const;
  // Converts a device displacement to world units: linear part only.
  QPointF DeviceVectorToWorld(const QPointF& vector) const;

  void DrawLine(const QPen& pen, const QPointF& from, const QPointF& to);
  void DrawLines(const QPen& pen, const QPointF* points, int count);  // a polyline
  // A polyline whose segment i has the ARGB colour segmentColours[i] (count - 1 colours).
  void DrawColoredLines(QPen pen, const QPointF* points, int count, const uint32_t* segmentColours);
  void DrawRectangle(const QPen& pen, const QRectF& rect);
  void DrawEllipse(const QPen& pen, const QRectF& rect);
  void DrawPolygon(const QPen& pen, const QPointF* points, int count);
  void FillRectangle(const QBrush& brush, const QRectF& rect);
  void FillRectangle(const QBrush& brush, const QRect& rect);
  void FillEllipse(const QBrush& brush, const QRectF& rect);
  void FillPolygon(const QBrush& brush, const QPointF* points, int count);

  // A font from a family name, a size in points and the style bits; an unknown
  // family falls back to the generic sans-serif one.
  QFont CreateFont(const QString& family, double sizeInPoints, int styleBits) const;
  // Size of a text drawn at a point, in world units.
  QSizeF MeasureString(const QString& text, const QFont& font) const;
  // Draws text with its layout box's top-left corner at topLeft.
  void DrawString(const QString& text, const QFont& font, const QBrush& brush, const QPointF& topLeft);
  // Draws text centred horizontally and vertically in a layout rectangle.
  void DrawStringCentered(const QString& text, const QFont& font, const QBrush& brush, const QRectF& layout);

  void SetClip(const QRect& deviceRect);
  void ResetClip();

  // Stamping pre-rendered marker images is much faster than drawing shapes,
  // but only possible on a raster image without rotation or unequal scales.
  bool CanStamp() const { return StampScale().has_value(); }
  // The device pixels per world unit stamps are drawn for here; nothing
  // when stamping is not possible.
  std::optional<double> StampScale() const;
  // Draws a marker into stamps for `scale` device pixels per world unit:
  // `draw` gets a context whose world origin is the marker's centre, no
  // farther than `extent` world units from any pixel it paints. Smooth
  // stamps come in phases; the images are cropped to what they paint, and
  // empty when nothing is painted. `solid`: the marker's colours are opaque.
  static geometry::TStamps MakeStamps(double extent, double scale, bool smooth, bool solid,
                                      const std::function<void(TGraphics&)>& draw);
  // Blends the stamps on the device pixels of each world point. Requires
  // CanStamp(), and stamps made for StampScale().
  void StampImage(const geometry::TStamps& stamps, const QPointF* worldPoints, int count);
  // The same with the stamps of the call's i-th point, worldPoints[order[i]],
  // taken from sets[setOf[i]], in one call; the sets share their placement
  // (TStamps::SharesPlacementWith); `order` is a permutation of [0, count),
  // or null for the points' own order.
  void StampImages(std::span<const geometry::TStamps* const> sets, const uint16_t* setOf, const int32_t* order,
                   const QPointF* worldPoints, int count);
  // Whether DrawLines and DrawColoredLines write the pixels of a polyline of
  // this pen and count themselves.
  bool DrawsLinesDirectly(const QPen& pen, int count) const { return DirectPolylineTarget(pen, count).has_value(); }

  // Drawing from the top down. While it lasts, each StampImage and each
  // directly written polyline goes beneath those drawn before it, and
  // writes only the pixels they left free: opaque markers drawn first leave
  // the polyline under them little to do. Anything else drawn meanwhile
  // would land on top, so callers draw nothing else. Inactive, drawing as
  // usual, where the device is no raster image or memory is short. Points
  // drawn within lie in the convex hull of `outline`, when one is given.
  class TTopDown {
   public:
    explicit TTopDown(TGraphics& g, std::vector<QPointF> outline = {});
    ~TTopDown();
    TTopDown(const TTopDown&) = delete;
    TTopDown& operator=(const TTopDown&) = delete;
    explicit operator bool() const { return m_active; }

   private:
    TGraphics& m_g;
    bool m_active = false;
  };

 private:
  std::optional<geometry::TRasterTarget> DirectPolylineTarget(const QPen& pen, int count) const;
  static double DeviceWidth(const QPen& pen, const geometry::TRasterTarget& target);
  // A horizontal or vertical line moved onto the pixels' centres or edges,
  // so that it covers whole rows or columns; other lines as they are.
  QLineF AlignedToPixels(const QPen& pen, const QLineF& line) const;

  QPainter& m_painter;
  bool m_smooth = false;
  std::unique_ptr<geometry::TRasterCover> m_cover;  // while drawing from the top down
};
