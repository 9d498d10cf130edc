#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <pugixml.hpp>

#include "control/control_label.h"
#include "control/control_layout.h"
#include "control/load_report.h"
#include "control/modifier_keys.h"
#include "control/zoom_cursors.h"
#include "model/graph.h"
#include "model/legend.h"
#include "model/progress.h"

class QIODevice;
class QPrinter;

namespace emf {
class TEmfRecorder;
}
namespace control {
struct TParsedDocument;
}

// In imAddText a click only asks for a text: the window places and edits it.
enum TGraphInteractMode : uint8_t { imNormal = 0, imAddLine = 1, imZoomIn = 2, imZoomOut = 3, imAddText = 4 };

// The window that shows one diagram: a header band, the graph, a footer band.
// The diagram is rendered into an off-screen image only when a change arrives
// outside an update batch (or at the end of one, or on resize); a paint
// request only copies the image. It also reads and writes the diagram
// document and handles the mouse: panning, zooming, user lines and hints.
class TGraphControl : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultSize = 200;
  static constexpr uint32_t kWhite = 0x00FFFFFF;  // a toolkit colour, 0x00BBGGRR
  static constexpr double kZoomSteps[3] = {1.05, 1.2, 1.5};
  // Frames drawn during a pan drag or a run of wheel steps are not smoothed;
  // the picture is drawn smooth again once the motion has paused this long.
  static constexpr std::chrono::milliseconds kSmoothAgainDelay{100};
  enum : int { kFineStep = 0, kNormalStep = 1, kCoarseStep = 2 };

  explicit TGraphControl(QWidget* parent = nullptr);
  ~TGraphControl() override;

  TControlLabel& MainHeader() const { return *m_header; }
  TControlLabel& MainFooter() const { return *m_footer; }
  TGraph& Graph() const { return *m_graph; }
  TLegend& Legend() const { return *m_legend; }
  // The context that converts client positions (logical pixels) for hit
  // tests, zooms and fits; absent before the first resize.
  TGraphics* Graphics() const { return m_graphics.get(); }
  // The diagram as last rendered: the size of the control times the screen's
  // device pixel ratio, which the image carries.
  const QImage& Bitmap() const { return m_bitmap; }
  const QRect& GraphArea() const { return m_layout.GraphArea; }

  // The background, a toolkit colour 0x00BBGGRR. Changing it only schedules
  // a paint of the old image: change it inside BeginUpdate/EndUpdate.
  uint32_t Color() const { return m_color; }
  void SetColor(uint32_t bgr);

  void BeginUpdate() { ++m_updateCount; }
  // Closing the outermost batch renders the diagram and repaints.
  void EndUpdate();
  int UpdateCount() const { return m_updateCount; }

  void FitToBounds();
  // Resets the labels (which take this widget's font) and the graph; keeps the
  // background colour, the hint settings and the interaction mode.
  void NewDiagram();
  // Callers bracket it: BeginUpdate, ToggleProjectionMode, FitToBounds, EndUpdate.
  void ToggleProjectionMode();
  virtual void UpdateLayout();
  virtual void Redraw();
  // Draws the whole diagram on any context: background, graph, then the bands;
  // `progress` hears of the graph's series as TGraph::Draw tells them.
  virtual void DrawTo(TGraphics& g, const model::TProgress& progress = model::TProgress());

  // The document. Saving a file replaces it only once it is completely
  // written. Loading parses the whole text first: a text that is not
  // well-formed leaves the diagram untouched and raises TDocumentError.
  // A well-formed document is read leniently, property by property, over the
  // current diagram (an absent part keeps its value).
  // `progress` hears of the point lists written or read and may stop the
  // work with model::TCancelled, before the file or the diagram is touched.
  void SaveToFile(const QString& fileName, bool indent = true,
                  const model::TProgress& progress = model::TProgress()) const;
  void SaveToStream(QIODevice& stream) const;
  void SaveToDocument(pugi::xml_document& document) const;
  void SaveToXML(pugi::xml_node element) const;
  // The same, with the series' items registered in `streamed` when given,
  // for a document written to text at once.
  void SaveToXML(pugi::xml_node element, model::TStreamedChildren* streamed) const;
  void LoadFromFile(const QString& fileName, const model::TProgress& progress = model::TProgress());
  void LoadFromStream(QIODevice& stream);
  void LoadFromDocument(const pugi::xml_document& document);
  void LoadFromXML(pugi::xml_node element);
  // The same, with the series' items taken from `preread` where it holds them.
  void LoadFromXML(pugi::xml_node element, model::TPrereadEntries* preread);
  // What the last document loaded held, for warning about a file that is
  // not (all) a diagram.
  const control::TLoadReport& LoadReport() const { return m_loadReport; }

  // Export in one of control::kExportFormats; false when no image encoder is
  // installed for the format (nothing is written). See graph_export.h.
  // `progress` follows the export of a document (the only long kind that
  // reports); a cancelled export writes nothing.
  virtual bool Export(const QString& fileName, int formatIndex, const model::TProgress& progress = model::TProgress());
  // Records the diagram into a metafile whose frame is the client size.
  virtual void RenderToMetafile(emf::TEmfRecorder& metafile);
  // The clipboard gets the picture (metafile and bitmap), or the series data as text.
  void CopyImageToClipboard();
  void CopyDataToClipboard() const;
  // One page on the printer, as it is set up, the picture scaled to fit.
  void Print(QPrinter& printer, const model::TProgress& progress = model::TProgress());

  TGraphInteractMode InteractMode() const { return m_interactMode; }
  void SetInteractMode(TGraphInteractMode mode);
  // Zoom about a client point by one of kZoomSteps (index 0 to 2); zooming out
  // stops at the zoom that fits the graph area.
  void ZoomInAt(int x, int y, int step);
  void ZoomOutAt(int x, int y, int step);
  // The topmost series item under a client point.
  bool HitTest(int x, int y, TSerieHit& hit);
  // The ternary point under a client point: Kind 2 on a series item, 1
  // elsewhere, 0 when there is no drawing context yet.
  TGraphPointInfo PointAt(int x, int y);

  bool AutoHint() const { return m_autoHint; }
  void SetAutoHint(bool autoHint);
  const QString& AutoHintFormatString() const { return m_autoHintFormat; }
  void SetAutoHintFormatString(const QString& format);
  const QString& ValueFormatString() const { return m_valueFormat; }
  void SetValueFormatString(const QString& format);
  // The word the hint puts before an item's value, in the user's language.
  const QString& ValueLabel() const { return m_valueLabel; }
  void SetValueLabel(const QString& label);
  // The hint of the item under the mouse, also shown as the tooltip.
  const QString& Hint() const { return m_hint; }
  // Recomputes the hint at the mouse cursor's position.
  void UpdateAutoHint();

  std::function<void(TGraphControl*)> OnInteractModeChange;
  std::function<void(TGraphControl*)> OnSeriesChange;
  // A line the user has just drawn with two clicks, added to the graph.
  std::function<void(TGraphControl*, TGraphSerie&)> OnUserLine;
  // Every mouse move over the control, with the client position.
  std::function<void(TGraphControl*, const QPoint&)> OnMouseMove;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

  virtual void DoInteractModeChange();
  virtual void DoSeriesChange();
  virtual void GraphChanged();
  virtual void LabelChanged();

 private:
  bool UserHasNotZoomed() const;
  TControlLayout FreshLayout() const;
  bool LayoutMoved() const;
  void FitGraphArea();
  void RecreateDrawingContext();
  TGraphics& DrawingContext() const { return m_drawing ? *m_drawing : *m_graphics; }
  void ApplyWidgetFont(TControlLabel& label) const;
  void LoadFromParsed(control::TParsedDocument& parsed);
  void AddUserLine(const QPoint& secondEnd);
  void PanTo(const QPoint& cursor);
  void UpdateAutoHintAt(const QPoint& client);
  int WheelStep(Qt::KeyboardModifiers modifiers) const;
  void DrawRoughWhileMoving();
  void RedrawSmooth();

  std::unique_ptr<TControlLabel> m_header;
  std::unique_ptr<TControlLabel> m_footer;
  std::unique_ptr<TLegend> m_legend;
  std::unique_ptr<TGraph> m_graph;
  control::TLoadReport m_loadReport;
  TControlLayout m_layout;
  QImage m_bitmap;
  // The painter stays open on the bitmap for the life of the drawing context,
  // so hit tests and zooms convert through the same transform as drawing.
  std::unique_ptr<QPainter> m_painter;
  std::unique_ptr<TGraphics> m_graphics;
  // On a dense screen the bitmap's painter maps logical pixels to device
  // pixels, which the conversions of client positions must not see: the
  // bitmap is drawn through m_drawing, and m_graphics then stands on a
  // one-pixel image of the bitmap's resolution without the ratio, whose
  // transform (the identity, like the bitmap's world) and fonts are the same.
  QImage m_logicalImage;
  std::unique_ptr<QPainter> m_logicalPainter;
  std::unique_ptr<TGraphics> m_drawing;
  uint32_t m_color = kWhite;
  int m_updateCount = 0;
  bool m_rendered = false;

  TGraphInteractMode m_interactMode = imNormal;
  bool m_waitingForSecondClick = false;
  bool m_dragging = false;
  TDoublePoint m_anchor;
  QTimer m_smoothAgain;
  QPoint m_mouseDownPoint;
  control::TZoomCursors m_zoomCursors;
  control::TModifierKeys m_modifierKeys;

  bool m_autoHint = true;
  QString m_autoHintFormat;
  QString m_valueFormat;
  QString m_valueLabel = QStringLiteral("Value");
  QString m_hint;
};

// Keeps an update batch of the control open for a scope.
class TControlUpdateScope {
 public:
  explicit TControlUpdateScope(TGraphControl& control) : m_control(control) { m_control.BeginUpdate(); }
  ~TControlUpdateScope() { m_control.EndUpdate(); }
  TControlUpdateScope(const TControlUpdateScope&) = delete;
  TControlUpdateScope& operator=(const TControlUpdateScope&) = delete;

 private:
  TGraphControl& m_control;
};
