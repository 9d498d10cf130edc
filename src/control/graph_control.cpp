#include "control/graph_control.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QResizeEvent>
#include <cassert>

#include "control/color_bars.h"
#include "control/legend_layout.h"
#include "geometry/graphics.h"

namespace {

const QString kDefaultAutoHintFormat =
    QStringLiteral("Serie : %SERIE.NAME%\r\nIndex : %ITEM.INDEX%\r\nPoint : (%POINT.A%, %POINT.B%, %POINT.C%)");
const QString kDefaultValueFormat = QStringLiteral("%.3g");

TGraphFontStyles FontStylesOf(const QFont& font) {
  TGraphFontStyles styles = 0;
  if (font.bold()) styles |= FontStyleBit(fsBold);
  if (font.italic()) styles |= FontStyleBit(fsItalic);
  if (font.underline()) styles |= FontStyleBit(fsUnderline);
  if (font.strikeOut()) styles |= FontStyleBit(fsStrikeout);
  return styles;
}

double PointSizeOf(const QFont& font) {
  if (font.pointSizeF() > 0) return font.pointSizeF();
  return font.pixelSize() * 72.0 / geometry::kReferenceDpi;
}

}  // namespace

TGraphControl::TGraphControl(QWidget* parent)
    : QWidget(parent),
      m_header(std::make_unique<TControlLabel>()),
      m_footer(std::make_unique<TControlLabel>()),
      m_legend(std::make_unique<TLegend>()),
      m_zoomCursors(control::LoadZoomCursors()),
      m_modifierKeys(control::TModifierKeys::PlatformHasX11ScanCodes(QGuiApplication::platformName())) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);  // the hint follows the mouse without a button held
  resize(kDefaultSize, kDefaultSize);
  m_bitmap = QImage(kDefaultSize, kDefaultSize, QImage::Format_RGB32);
  m_bitmap.fill(Qt::white);

  m_header->OnChange = [this](TGraphElement*) { LabelChanged(); };
  m_footer->OnChange = [this](TGraphElement*) { LabelChanged(); };
  // The legend may take a band from the graph area: a change of it is laid out like a label's.
  m_legend->OnChange = [this](TGraphElement*) { LabelChanged(); };
  // Before the graph exists this only gives the labels their defaults and font.
  NewDiagram();

  m_graph = std::make_unique<TGraph>();
  m_graph->OnSeriesChange = [this](TGraph*) { DoSeriesChange(); };
  m_graph->OnChange = [this](TGraphElement*) { GraphChanged(); };

  m_autoHintFormat = kDefaultAutoHintFormat;
  m_valueFormat = kDefaultValueFormat;

  m_smoothAgain.setSingleShot(true);
  m_smoothAgain.setInterval(kSmoothAgainDelay);
  connect(&m_smoothAgain, &QTimer::timeout, this, &TGraphControl::RedrawSmooth);
}

TGraphControl::~TGraphControl() {
  // The graph reports the removal of its series while it is destroyed; nobody
  // must hear about it any more.
  m_graph->OnChange = nullptr;
  m_graph->OnSeriesChange = nullptr;
  m_header->OnChange = nullptr;
  m_footer->OnChange = nullptr;
  m_legend->OnChange = nullptr;
}

void TGraphControl::SetColor(uint32_t bgr) {
  if (bgr == m_color) return;
  m_color = bgr;
  update();
}

void TGraphControl::EndUpdate() {
  if (m_updateCount > 0) --m_updateCount;
  if (m_updateCount != 0) return;
  Redraw();
  update();
}

bool TGraphControl::UserHasNotZoomed() const {
  return m_graph->FitZoom() == 0.0 || m_graph->FitZoom() == m_graph->Projection().Zoom();
}

void TGraphControl::FitToBounds() {
  if (m_graphics) m_graph->FitToRect(*m_graphics, m_layout.GraphAreaF());
}

void TGraphControl::ApplyWidgetFont(TControlLabel& label) const {
  const QFont widgetFont = font();
  TGraphFont& labelFont = label.Font();
  labelFont.SetName(widgetFont.family());
  labelFont.SetColor(
      geometry::ArgbFromToolkitColor(geometry::ToolkitColorFromColor(palette().color(QPalette::WindowText))));
  labelFont.SetSize(float(PointSizeOf(widgetFont)));
  labelFont.SetStyles(FontStylesOf(widgetFont));
}

void TGraphControl::NewDiagram() {
  TControlUpdateScope scope(*this);
  for (TControlLabel* label : {m_header.get(), m_footer.get()}) {
    TUpdateScope labelScope(*label);
    label->SetDefaults();
    ApplyWidgetFont(*label);
  }
  m_legend->SetDefaults();
  if (!m_graph) return;
  m_graph->SetDefaults();
  m_graph->Projection().SetZoom(100);
  UpdateLayout();
  FitToBounds();
}

void TGraphControl::ToggleProjectionMode() {
  TProjection& projection = m_graph->Projection();
  projection.SetMode(projection.Mode() != TProjection::kRightAngled ? TProjection::kRightAngled
                                                                    : TProjection::kEquilateral);
}

void TGraphControl::UpdateLayout() {
  m_layout = FreshLayout();
  m_header->SetBounds(m_layout.Header);
  m_footer->SetBounds(m_layout.Footer);
}

void TGraphControl::Redraw() {
  if (!m_graphics) return;
  TGraphics& g = DrawingContext();
  g.SetClip(QRect(0, 0, width(), height()));
  DrawTo(g);
  g.ResetClip();
  m_rendered = true;
}

void TGraphControl::DrawTo(TGraphics& g, const model::TProgress& progress) {
  const uint32_t background = geometry::ArgbFromToolkitColor(m_color);
  g.Clear(background);
  m_graph->Draw(g, m_graph->Projection(), progress);
  control::DrawColorBars(g, m_layout.ColorBars, *m_graph, *m_footer);
  if (m_legend->Visible()) control::DrawLegend(g, *m_legend, *m_graph, m_layout.Legend);
  if (m_header->Visible()) m_header->Draw(g, background);
  if (m_footer->Visible()) m_footer->Draw(g, background);
}

void TGraphControl::RecreateDrawingContext() {
  m_drawing.reset();
  m_graphics.reset();
  m_logicalPainter.reset();
  m_painter.reset();
  // A painter cannot open on an empty image; one pixel stands in for it.
  const QSize logical(std::max(1, width()), std::max(1, height()));
  const double ratio = devicePixelRatioF();
  m_bitmap = QImage((QSizeF(logical) * ratio).toSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  m_bitmap.setDevicePixelRatio(ratio);
  m_bitmap.fill(geometry::ColorFromArgb(geometry::ArgbFromToolkitColor(m_color)));
  m_painter = std::make_unique<QPainter>(&m_bitmap);
  if (ratio == 1.0) {
    m_graphics = std::make_unique<TGraphics>(*m_painter);
    return;
  }
  m_drawing = std::make_unique<TGraphics>(*m_painter);
  m_logicalImage = QImage(1, 1, QImage::Format_RGB32);
  m_logicalImage.setDotsPerMeterX(m_bitmap.dotsPerMeterX());
  m_logicalImage.setDotsPerMeterY(m_bitmap.dotsPerMeterY());
  m_logicalPainter = std::make_unique<QPainter>(&m_logicalImage);
  m_graphics = std::make_unique<TGraphics>(*m_logicalPainter);
  assert(m_graphics->WorldTransform().isIdentity());
}

void TGraphControl::FitGraphArea() {
  if (!m_graph) return;
  UpdateLayout();
  RecreateDrawingContext();
  // The new image is blank: the end of the batch renders it even when the
  // fit changes nothing.
  TControlUpdateScope scope(*this);
  if (UserHasNotZoomed()) FitToBounds();
}

void TGraphControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitGraphArea();
}

void TGraphControl::paintEvent(QPaintEvent*) {
  // Moved to a screen of another density: a new bitmap, sharp there.
  if (!m_rendered || m_bitmap.devicePixelRatio() != devicePixelRatioF()) FitGraphArea();
  QPainter painter(this);
  painter.drawImage(0, 0, m_bitmap);
}

// The room of the legend and of the colour bars is taken from the graph
// area: the bars at the right edge, the legend left of them.
TControlLayout TGraphControl::FreshLayout() const {
  TControlLayout layout = ComputeLayout(width(), height(), *m_header, *m_footer);
  if (!m_graph) return layout;
  layout.ColorBars = control::ReserveColorBars(layout.GraphArea, *m_graph, *m_footer);
  control::PlaceLegend(layout, *m_legend, *m_graph);
  return layout;
}

// A legend or a colour bar shown, hidden or resized moves the diagram.
bool TGraphControl::LayoutMoved() const {
  const TControlLayout fresh = FreshLayout();
  return fresh.Legend != m_layout.Legend || fresh.ColorBars != m_layout.ColorBars ||
         fresh.GraphArea != m_layout.GraphArea;
}

void TGraphControl::GraphChanged() {
  if (m_updateCount != 0) return;
  if (LayoutMoved()) return LabelChanged();
  Redraw();
  update();
}

void TGraphControl::LabelChanged() {
  TControlUpdateScope scope(*this);
  UpdateLayout();
  if (m_graph && m_graphics && UserHasNotZoomed()) FitToBounds();
}

void TGraphControl::DoSeriesChange() {
  if (OnSeriesChange) OnSeriesChange(this);
}

void TGraphControl::DoInteractModeChange() {
  if (OnInteractModeChange) OnInteractModeChange(this);
}
