#include "app/annotation_editing.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <cstdlib>
#include <stdexcept>

#include "control/graph_control.h"
#include "geometry/device_conversions.h"
#include "model/annotation_drawing.h"

namespace app {

namespace {

// A press has to move further than this, in pixels, before it drags a text.
constexpr int kDragThreshold = 2;
// The text box shows at least this many characters and lines.
constexpr int kFieldColumns = 24;
constexpr int kFieldLines = 3;

}  // namespace

TAnnotationField::TAnnotationField(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("AnnotationField"));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabChangesFocus(true);
}

void TAnnotationField::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && event->modifiers().testFlag(Qt::ShiftModifier)) {
    // A plain newline rather than the editor's line separator.
    insertPlainText(QStringLiteral("\n"));
  } else if (enter) {
    if (OnCommit) OnCommit();
  } else if (event->key() == Qt::Key_Escape) {
    if (OnCancel) OnCancel();
  } else {
    QPlainTextEdit::keyPressEvent(event);
  }
}

void TAnnotationField::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  if (OnCommit) OnCommit();
}

TAnnotationEditing::TAnnotationEditing(TGraphControl& control, const QAction& addOrigin, TRecord record)
    : m_control(control),
      m_addOrigin(addOrigin),
      m_record(std::move(record)),
      m_editOrigin(new QAction(this)),
      m_moveOrigin(new QAction(this)),
      m_deleteAction(new QAction(this)),
      m_menu(std::make_unique<QMenu>()) {
  m_deleteAction->setObjectName(QStringLiteral("acDeleteText"));
  m_menu->setObjectName(QStringLiteral("pmAnnotation"));
  m_menu->addAction(m_deleteAction);
  connect(m_deleteAction, &QAction::triggered, this, [this] { DeleteAnnotation(m_menuIndex); });
  m_control.installEventFilter(this);
  RetranslateUi();
}

TAnnotationEditing::~TAnnotationEditing() {
  m_control.removeEventFilter(this);
  // A box still open goes with the control, and must not call back here.
  if (m_field) {
    m_field->OnCommit = nullptr;
    m_field->OnCancel = nullptr;
  }
}

void TAnnotationEditing::RetranslateUi() {
  m_editOrigin->setText(tr("Modifier le texte"));
  m_moveOrigin->setText(tr("Déplacer le texte"));
  m_deleteAction->setText(tr("Supprimer le texte"));
}

int TAnnotationEditing::AnnotationUnder(const QPoint& client) const {
  // The control's drawing context has the identity transform: its world is
  // the client area.
  if (!m_control.Graphics()) return -1;
  TGraph& graph = m_control.Graph();
  return model::AnnotationAt(*m_control.Graphics(), graph.Projection(), graph.Annotations(), QPointF(client));
}

bool TAnnotationEditing::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &m_control) return false;
  try {
    return HandleEvent(*event);
  } catch (const std::exception&) {
    // A text that went away under the mouse: the event goes on to the control.
    m_dragIndex = -1;
    return false;
  }
}

bool TAnnotationEditing::HandleEvent(QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
      return MousePress(static_cast<QMouseEvent&>(event));
    case QEvent::MouseMove:
      return MouseMove(static_cast<QMouseEvent&>(event));
    case QEvent::MouseButtonRelease:
      return MouseRelease();
    case QEvent::MouseButtonDblClick:
      return DoubleClick(static_cast<QMouseEvent&>(event));
    case QEvent::ContextMenu:
      return ContextMenu(static_cast<QContextMenuEvent&>(event));
    default:
      return false;
  }
}

bool TAnnotationEditing::MousePress(const QMouseEvent& event) {
  if (event.button() != Qt::LeftButton || !m_control.Graphics()) return false;
  const QPoint client = event.position().toPoint();
  if (m_control.InteractMode() == imAddText) {
    const TGraph& graph = m_control.Graph();
    m_fieldIndex = -1;
    m_fieldPosition = geometry::DeviceToTernary(*m_control.Graphics(), graph.Projection(), QPointF(client));
    OpenField(client, QString());
    return true;
  }
  if (m_control.InteractMode() != imNormal) return false;
  const int index = AnnotationUnder(client);
  if (index < 0) return false;
  m_control.setFocus(Qt::MouseFocusReason);
  const TProjection& projection = m_control.Graph().Projection();
  m_dragIndex = index;
  m_dragMoved = false;
  m_dragStartClient = client;
  m_dragStartPlane = geometry::DeviceToPlane(*m_control.Graphics(), projection, QPointF(client));
  m_dragStartAnchor = projection.TernaryToPlane(m_control.Graph().Annotations().Get(index).Position(), true);
  m_dragBefore = std::make_unique<TPropertiesStep::TSnapshot>(TPropertiesStep::Take(m_control));
  return true;
}

bool TAnnotationEditing::MouseMove(const QMouseEvent& event) {
  if (m_dragIndex < 0 || !event.buttons().testFlag(Qt::LeftButton)) return false;
  const QPoint client = event.position().toPoint();
  if (!m_dragMoved)
    m_dragMoved = std::abs(client.x() - m_dragStartClient.x()) > kDragThreshold ||
                  std::abs(client.y() - m_dragStartClient.y()) > kDragThreshold;
  if (!m_dragMoved) return true;
  const TProjection& projection = m_control.Graph().Projection();
  const TDoublePoint plane = geometry::DeviceToPlane(*m_control.Graphics(), projection, QPointF(client));
  const TDoublePoint moved{m_dragStartAnchor.X + plane.X - m_dragStartPlane.X,
                           m_dragStartAnchor.Y + plane.Y - m_dragStartPlane.Y};
  m_control.Graph().Annotations().Get(m_dragIndex).SetPosition(projection.PlaneToTernary(moved, true));
  return true;
}

bool TAnnotationEditing::MouseRelease() {
  if (m_dragIndex < 0) return false;
  const bool moved = m_dragMoved;
  m_dragIndex = -1;
  m_dragMoved = false;
  std::unique_ptr<TPropertiesStep::TSnapshot> before = std::move(m_dragBefore);
  if (moved && before) {
    auto step = std::make_unique<TPropertiesStep>(m_control, *m_moveOrigin, std::move(*before),
                                                  TPropertiesStep::Take(m_control));
    if (!step->IsEmpty()) m_record(std::move(step));
  }
  return true;
}

bool TAnnotationEditing::DoubleClick(const QMouseEvent& event) {
  if (event.button() != Qt::LeftButton || m_control.InteractMode() != imNormal) return false;
  const QPoint client = event.position().toPoint();
  const int index = AnnotationUnder(client);
  if (index < 0) return false;
  m_fieldIndex = index;
  OpenField(client, m_control.Graph().Annotations().Get(index).Text());
  return true;
}

bool TAnnotationEditing::ContextMenu(const QContextMenuEvent& event) {
  if (m_control.InteractMode() != imNormal) return false;
  m_menuIndex = AnnotationUnder(event.pos());
  if (m_menuIndex < 0) return false;
  m_menu->popup(event.globalPos());
  return true;
}

void TAnnotationEditing::OpenField(const QPoint& client, const QString& text) {
  if (m_field) CloseField(true);
  m_field = new TAnnotationField(&m_control);  // owned by the control until closed
  m_field->setPlainText(text);
  m_field->selectAll();
  const QFontMetrics metrics(m_field->font());
  m_field->resize(metrics.averageCharWidth() * kFieldColumns, metrics.lineSpacing() * kFieldLines + 12);
  const QPoint topLeft(std::min(client.x(), std::max(0, m_control.width() - m_field->width())),
                       std::min(client.y(), std::max(0, m_control.height() - m_field->height())));
  m_field->move(topLeft);
  m_field->OnCommit = [this] { CloseField(true); };
  m_field->OnCancel = [this] { CloseField(false); };
  m_field->show();
  m_field->setFocus(Qt::OtherFocusReason);
}

void TAnnotationEditing::CloseField(bool keep) {
  if (!m_field) return;
  // Taken out first: hiding the box takes its focus away, which closes it again.
  TAnnotationField* field = m_field;
  m_field = nullptr;
  field->OnCommit = nullptr;
  field->OnCancel = nullptr;
  const QString text = field->toPlainText();
  field->hide();
  field->deleteLater();
  m_control.setFocus(Qt::OtherFocusReason);
  if (keep) KeepFieldText(text);
  if (m_control.InteractMode() == imAddText) m_control.SetInteractMode(imNormal);
}

void TAnnotationEditing::KeepFieldText(const QString& text) {
  TAnnotationList& annotations = m_control.Graph().Annotations();
  if (m_fieldIndex < 0) {
    if (text.trimmed().isEmpty()) return;
    Change(m_addOrigin, [&] {
      auto annotation = std::make_unique<TAnnotation>();
      annotation->SetText(text);
      annotation->SetPosition(m_fieldPosition);
      annotations.Add(std::move(annotation));
    });
  } else if (m_fieldIndex < annotations.Count()) {
    // Emptying a text takes it away.
    if (text.trimmed().isEmpty()) return DeleteAnnotation(m_fieldIndex);
    TAnnotation& annotation = annotations.Get(m_fieldIndex);
    if (text != annotation.Text()) Change(*m_editOrigin, [&] { annotation.SetText(text); });
  }
}

void TAnnotationEditing::DeleteAnnotation(int index) {
  TAnnotationList& annotations = m_control.Graph().Annotations();
  if (index < 0 || index >= annotations.Count()) return;
  Change(*m_deleteAction, [&] { annotations.Remove(index); });
}

void TAnnotationEditing::Change(const QAction& origin, const std::function<void()>& change) {
  TPropertiesStep::TSnapshot before = TPropertiesStep::Take(m_control);
  {
    TControlUpdateScope scope(m_control);
    change();
  }
  auto step = std::make_unique<TPropertiesStep>(m_control, origin, std::move(before), TPropertiesStep::Take(m_control));
  if (!step->IsEmpty()) m_record(std::move(step));
}

}  // namespace app
