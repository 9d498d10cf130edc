#include "model/serie_label.h"

#include <gtest/gtest.h>

#include "model/annotation_drawing.h"
#include "model/lines_serie.h"
#include "model/surface_serie.h"
#include "serie_canvas.h"

namespace {

// A field shaped like an L in ternary coordinates: its centroid lies in the notch.
std::unique_ptr<TSurfaceSerie> LField() {
  auto serie = std::make_unique<TSurfaceSerie>();
  for (const TTernaryPoint& p : std::initializer_list<TTernaryPoint>{
           {0.9, 0.1, 0.0}, {0.1, 0.9, 0.0}, {0.1, 0.7, 0.2}, {0.7, 0.1, 0.2}, {0.7, 0.0, 0.3}, {0.9, 0.0, 0.1}})
    serie->Items().Add(p);
  serie->SetName(QStringLiteral("L"));
  serie->SetNameVisible(true);
  return serie;
}

// The composition under the name's anchor.
std::optional<TTernaryPoint> NameComposition(TSerieCanvas& canvas, const TGraphSerie& serie) {
  const auto place = model::SerieNamePlace(canvas.g, canvas.projection, serie);
  if (!place) return std::nullopt;
  return canvas.projection.WorldToTernary(place->Anchor, true);
}

using TTurn = void (*)(TProjection&);
const TTurn kTurns[] = {[](TProjection& p) { p.Rotate(true); }, [](TProjection& p) { p.Rotate(false); },
                        [](TProjection& p) { p.Mirror(); }};

TEST(SerieLabel, AFieldNameStaysOnTheSameCompositionThroughRotationsAndMirror) {
  TSerieCanvas canvas(400, 400);
  canvas.projection.SetZoom(300);
  const auto field = LField();
  const auto before = NameComposition(canvas, *field);
  ASSERT_TRUE(before);
  for (const TTurn turn : kTurns) {
    turn(canvas.projection);
    const auto after = NameComposition(canvas, *field);
    ASSERT_TRUE(after);
    EXPECT_NEAR(after->A, before->A, 0.01);
    EXPECT_NEAR(after->B, before->B, 0.01);
  }
}

struct TNameCase {
  const char* Name;
  double Zoom;
  bool NameVisible;
  bool Placed;
};

TEST(SerieLabel, AFieldNameIsPlacedOnlyWhenShownAndTheFieldHoldsIt) {
  const TNameCase cases[] = {
      {"large", 300, true, true}, {"hidden", 300, false, false}, {"tiny on screen", 20, true, false}};
  for (const TNameCase& c : cases) {
    TSerieCanvas canvas(400, 400);
    canvas.projection.SetZoom(c.Zoom);
    auto field = LField();
    field->SetNameVisible(c.NameVisible);
    EXPECT_EQ(NameComposition(canvas, *field).has_value(), c.Placed) << c.Name;
  }
}

TEST(SerieLabel, AFieldNameIsDrawnInItsFontColour) {
  TSerieCanvas canvas(400, 400);
  canvas.projection.SetZoom(200);
  auto field = LField();
  field->SetVisible(true);
  field->NameFont().SetColor(TSerieCanvas::kBlue);
  field->NameFont().SetSize(12);
  model::DrawSerieName(canvas.g, canvas.projection, *field);
  const QRect ink = canvas.InkRect();
  EXPECT_TRUE(ink.contains(canvas.projection.TernaryToWorld(*NameComposition(canvas, *field), true).toPoint()));
  bool blue = false;
  for (int y = ink.top(); y <= ink.bottom(); ++y)
    for (int x = ink.left(); x <= ink.right(); ++x)
      blue |= qBlue(canvas.image.pixel(x, y)) - qRed(canvas.image.pixel(x, y)) > 100;
  EXPECT_TRUE(blue);
}

TEST(SerieLabel, LinesAndPointsNamesGoBesideTheirFirstCoupleAndLastPoint) {
  TSerieCanvas canvas(400, 400);
  canvas.projection.SetZoom(300);
  TLinesSerie lines;
  lines.Items().Add({{0.8, 0.2, 0.0}, {0.2, 0.8, 0.0}});
  lines.SetNameVisible(true);
  const QPointF middle = canvas.projection.TernaryToWorld({0.5, 0.5, 0.0}, true);
  const auto linePlace = model::SerieNamePlace(canvas.g, canvas.projection, lines);
  ASSERT_TRUE(linePlace);
  EXPECT_NEAR(linePlace->Anchor.x(), middle.x(), 0.5);
  EXPECT_LT(linePlace->Anchor.y(), middle.y());  // above the line

  TPointsSerie points;
  points.Items().Add({0.2, 0.2, 0.6});
  points.Items().Add({0.6, 0.2, 0.2});
  points.SetNameVisible(true);
  const QPointF last = canvas.projection.TernaryToWorld({0.6, 0.2, 0.2}, true);
  const auto pointPlace = model::SerieNamePlace(canvas.g, canvas.projection, points);
  ASSERT_TRUE(pointPlace);
  EXPECT_EQ(pointPlace->Alignment, taLeft);
  EXPECT_GT(pointPlace->Anchor.x(), last.x());
  EXPECT_DOUBLE_EQ(pointPlace->Anchor.y(), last.y());
}

TEST(SerieLabel, AnAnnotationIsFoundUnderItsTextAfterARotationAndAMirror) {
  TSerieCanvas canvas(400, 400);
  canvas.projection.SetZoom(300);
  TAnnotationList list;
  TAnnotation& note = list.Get(list.Add(std::make_unique<TAnnotation>()));
  note.SetText(QStringLiteral("Granite\nzone"));
  note.SetPosition({0.6, 0.3, 0.1});
  note.SetAngle(30);
  for (const TTurn turn : kTurns) {
    turn(canvas.projection);
    const QPointF anchor = canvas.projection.TernaryToWorld(note.Position(), true);
    EXPECT_EQ(model::AnnotationAt(canvas.g, canvas.projection, list, anchor + QPointF(3, -1)), 0);
    EXPECT_EQ(model::AnnotationAt(canvas.g, canvas.projection, list, anchor + QPointF(-60, 60)), -1);
  }
}

}  // namespace
