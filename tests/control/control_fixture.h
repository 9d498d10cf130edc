#pragma once

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <initializer_list>
#include <memory>

#include "control/default_font.h"
#include "control/graph_control.h"
#include "geometry/device_conversions.h"
#include "model/points_serie.h"

// A control with the main window's font, shown on the offscreen platform at a
// fixed size and active, so that it has a drawing context and takes the focus.
struct TShownControl {
  TGraphControl control;

  explicit TShownControl(int width = 400, int height = 300) {
    control::ApplyDefaultFont(control);
    control.resize(width, height);
    control.show();
    control.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&control));
  }

  TGraphics& Graphics() { return *control.Graphics(); }
  TProjection& Projection() { return control.Graph().Projection(); }

  TDoublePoint PlaneAt(QPoint device) { return geometry::DeviceToPlane(Graphics(), Projection(), QPointF(device)); }

  QPoint DeviceOf(const TTernaryPoint& point) {
    const TDoublePoint plane = Projection().TernaryToPlane(point, true);
    return geometry::PlaneToDevice(Graphics(), Projection(), plane).toPoint();
  }
};

inline TPointsSerie& AddPointsSerie(TGraph& graph, const QString& name, std::initializer_list<TTernaryPoint> points) {
  auto serie = std::make_unique<TPointsSerie>();
  serie->SetName(name);
  for (const TTernaryPoint& point : points) serie->Items().Add(point);
  TPointsSerie& added = *serie;
  graph.AddSerie(std::move(serie));
  return added;
}

// Sets the default locale for a scope, as a user's regional settings would.
class TDefaultLocaleScope {
 public:
  explicit TDefaultLocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
  ~TDefaultLocaleScope() { QLocale::setDefault(m_saved); }
  TDefaultLocaleScope(const TDefaultLocaleScope&) = delete;
  TDefaultLocaleScope& operator=(const TDefaultLocaleScope&) = delete;

 private:
  QLocale m_saved;
};
