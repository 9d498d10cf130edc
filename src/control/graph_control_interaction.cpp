// The mouse side of the control: interaction modes, panning, zooming, user
// lines and the automatic hint.
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "control/auto_hint.h"
#include "control/graph_control.h"
#include "geometry/device_conversions.h"
#include "model/graph_serie.h"
#include "model/lines_serie.h"

namespace {

// A press has to move further than this, in pixels, before it pans.
constexpr int kDragThreshold = 2;

const QString kUserLineName = QStringLiteral("User line");

}  // namespace

void TGraphControl::SetInteractMode(TGraphInteractMode mode) {
  if (mode == m_interactMode) return;
  m_interactMode = mode;
  switch (mode) {
    case imAddLine:
      setCursor(Qt::CrossCursor);
      break;
    case imZoomIn:
      setCursor(m_zoomCursors.ZoomIn);
      break;
    case imZoomOut:
      setCursor(m_zoomCursors.ZoomOut);
      break;
    case imAddText:
      setCursor(Qt::IBeamCursor);
      break;
    default:
      setCursor(Qt::ArrowCursor);
      m_waitingForSecondClick = false;
      break;
  }
  DoInteractModeChange();
}

void TGraphControl::ZoomInAt(int x, int y, int step) {
  if (!m_graphics) return;
  m_graph->ZoomAt(*m_graphics, QPointF(x, y), kZoomSteps[std::clamp(step, 0, 2)]);
  update();
}

void TGraphControl::ZoomOutAt(int x, int y, int step) {
  if (!m_graphics) return;
  m_graph->ZoomAt(*m_graphics, QPointF(x, y), 1.0 / kZoomSteps[std::clamp(step, 0, 2)]);
  update();
}

bool TGraphControl::HitTest(int x, int y, TSerieHit& hit) {
  if (!m_graphics) return false;
  return m_graph->FindSerieAt(*m_graphics, x, y, hit);
}

TGraphPointInfo TGraphControl::PointAt(int x, int y) {
  TGraphPointInfo info;
  if (m_graphics) m_graph->PointAt(*m_graphics, x, y, info);
  return info;
}

void TGraphControl::SetAutoHint(bool autoHint) {
  if (autoHint == m_autoHint) return;
  m_autoHint = autoHint;
  if (m_autoHint) UpdateAutoHint();
}

void TGraphControl::SetAutoHintFormatString(const QString& format) {
  if (format == m_autoHintFormat) return;
  m_autoHintFormat = format;
  if (m_autoHint) UpdateAutoHint();
}

void TGraphControl::SetValueFormatString(const QString& format) {
  if (format == m_valueFormat) return;
  m_valueFormat = format;
  if (m_autoHint) UpdateAutoHint();
}

void TGraphControl::SetValueLabel(const QString& label) {
  if (label == m_valueLabel) return;
  m_valueLabel = label;
  if (m_autoHint) UpdateAutoHint();
}

void TGraphControl::UpdateAutoHint() { UpdateAutoHintAt(mapFromGlobal(QCursor::pos())); }

void TGraphControl::UpdateAutoHintAt(const QPoint& client) {
  TSerieHit hit;
  if (HitTest(client.x(), client.y(), hit))
    m_hint = control::FormatAutoHint(m_autoHintFormat, hit.Serie->Name(), hit.Index, hit.Item, m_valueFormat) +
             control::ItemValueSuffix(*hit.Serie, hit.Index, m_valueLabel, m_valueFormat);
  else
    m_hint.clear();
  setToolTip(m_hint);
}

void TGraphControl::AddUserLine(const QPoint& secondEnd) {
  const TProjection& projection = m_graph->Projection();
  auto line = std::make_unique<TLinesSerie>();
  line->SetName(kUserLineName);
  line->SetRemoveable(true);
  line->Items().Add({projection.PlaneToTernary(m_anchor, true),
                     geometry::DeviceToTernary(*m_graphics, projection, QPointF(secondEnd))});
  TLinesSerie& added = *line;
  m_graph->AddSerie(std::move(line));
  SetInteractMode(imNormal);
  if (OnUserLine) OnUserLine(this, added);
}

void TGraphControl::mousePressEvent(QMouseEvent* event) {
  event->accept();
  setFocus(Qt::MouseFocusReason);
  const QPoint pos = event->position().toPoint();
  if (m_graphics) {
    switch (m_interactMode) {
      case imAddLine:
        if (m_waitingForSecondClick)
          AddUserLine(pos);
        else
          m_waitingForSecondClick = true;
        break;
      case imZoomIn:
        ZoomInAt(pos.x(), pos.y(), kNormalStep);
        break;
      case imZoomOut:
        ZoomOutAt(pos.x(), pos.y(), kNormalStep);
        break;
      default:
        break;
    }
    m_anchor = geometry::DeviceToPlane(*m_graphics, m_graph->Projection(), QPointF(pos));
  }
  m_mouseDownPoint = pos;
}

// A smooth frame of a million points takes longer than the mouse waits: the
// frames of a motion are drawn rough, and each step puts off the smooth one.
void TGraphControl::DrawRoughWhileMoving() {
  static_assert(kSmoothAgainDelay < std::chrono::milliseconds(200), "the still picture is smooth within 0.2 s");
  DrawingContext().SetSmooth(false);
  m_smoothAgain.start();
}

void TGraphControl::RedrawSmooth() {
  m_smoothAgain.stop();
  if (!m_graphics || DrawingContext().Smooth()) return;
  DrawingContext().SetSmooth(true);
  // An open batch draws the picture when it closes.
  if (m_updateCount != 0) return;
  Redraw();
  update();
}

void TGraphControl::PanTo(const QPoint& cursor) {
  DrawRoughWhileMoving();
  TProjection& projection = m_graph->Projection();
  const TDoublePoint p = geometry::DeviceToPlane(*m_graphics, projection, QPointF(cursor));
  const TDoublePoint origin = projection.Origin();
  projection.SetOrigin({origin.X + (p.X - m_anchor.X), origin.Y - (p.Y - m_anchor.Y)});
  m_anchor = geometry::DeviceToPlane(*m_graphics, projection, QPointF(cursor));
  update();
}

void TGraphControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(this, pos);
  m_modifierKeys.Synchronize(event->modifiers());
  if (!m_graphics) return;
  if (m_interactMode == imNormal && event->buttons().testFlag(Qt::LeftButton)) {
    if (m_dragging)
      PanTo(pos);
    else
      m_dragging = std::abs(pos.x() - m_mouseDownPoint.x()) > kDragThreshold ||
                   std::abs(pos.y() - m_mouseDownPoint.y()) > kDragThreshold;
  }
  if (m_autoHint) UpdateAutoHintAt(pos);
}

void TGraphControl::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  m_dragging = false;
}

int TGraphControl::WheelStep(Qt::KeyboardModifiers modifiers) const {
  if (m_modifierKeys.LeftCtrlDown(modifiers)) return kFineStep;
  if (m_modifierKeys.LeftShiftDown(modifiers)) return kCoarseStep;
  return kNormalStep;
}

void TGraphControl::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (!hasFocus() || !m_graphics || delta == 0) {
    event->ignore();
    return;
  }
  event->accept();
  m_modifierKeys.Synchronize(event->modifiers());
  const QPoint pos = event->position().toPoint();
  DrawRoughWhileMoving();
  // One step per notification, whatever the distance the wheel turned.
  if (delta > 0)
    ZoomInAt(pos.x(), pos.y(), WheelStep(event->modifiers()));
  else
    ZoomOutAt(pos.x(), pos.y(), WheelStep(event->modifiers()));
}

void TGraphControl::keyPressEvent(QKeyEvent* event) {
  m_modifierKeys.KeyPressed(*event);
  QWidget::keyPressEvent(event);
}

void TGraphControl::keyReleaseEvent(QKeyEvent* event) {
  m_modifierKeys.KeyReleased(*event);
  QWidget::keyReleaseEvent(event);
}
