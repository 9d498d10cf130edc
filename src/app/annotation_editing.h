#pragma once

#include <QObject>
#include <QPlainTextEdit>
#include <QPoint>
#include <functional>
#include <memory>

#include "app/undo_steps.h"
#include "geometry/ternary_types.h"

class QAction;
class QContextMenuEvent;
class QMenu;
class QMouseEvent;
class TGraphControl;

namespace app {

// The box over the control in which a free text is typed: Return keeps the
// text, Shift+Return starts a new line, Escape drops it, and leaving the box
// keeps it too.
class TAnnotationField : public QPlainTextEdit {
 public:
  explicit TAnnotationField(QWidget* parent);
  std::function<void()> OnCommit;
  std::function<void()> OnCancel;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// The mouse on the free texts of the diagram shown in a control: in the
// control's imAddText mode a click opens a text box where the new text goes;
// in the normal mode a text is dragged to move it, double-clicked to edit it,
// and deleted from its popup menu. Each change is handed to `record` as one
// step. Other mouse work is left to the control.
class TAnnotationEditing : public QObject {
  Q_OBJECT

 public:
  using TRecord = std::function<void(std::unique_ptr<TDiagramStep>)>;
  // `addOrigin` names the steps that add a text (the mode's button).
  TAnnotationEditing(TGraphControl& control, const QAction& addOrigin, TRecord record);
  ~TAnnotationEditing() override;

  void RetranslateUi();
  // The box of the text being typed, or null.
  TAnnotationField* Field() const { return m_field; }
  QMenu& PopupMenu() const { return *m_menu; }
  QAction& DeleteAction() const { return *m_deleteAction; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int AnnotationUnder(const QPoint& client) const;
  bool HandleEvent(QEvent& event);
  bool MousePress(const QMouseEvent& event);
  bool MouseMove(const QMouseEvent& event);
  bool MouseRelease();
  bool DoubleClick(const QMouseEvent& event);
  bool ContextMenu(const QContextMenuEvent& event);
  void OpenField(const QPoint& client, const QString& text);
  void CloseField(bool keep);
  void KeepFieldText(const QString& text);
  void DeleteAnnotation(int index);
  // Carries out `change` in one update batch and records it as one step.
  void Change(const QAction& origin, const std::function<void()>& change);

  TGraphControl& m_control;
  const QAction& m_addOrigin;
  TRecord m_record;
  QAction* m_editOrigin;
  QAction* m_moveOrigin;
  QAction* m_deleteAction;
  std::unique_ptr<QMenu> m_menu;
  int m_menuIndex = -1;

  TAnnotationField* m_field = nullptr;  // a child of the control while open
  int m_fieldIndex = -1;                // the text edited, -1 for a new one
  TTernaryPoint m_fieldPosition;        // where a new text goes

  // A drag in progress: the text, where it started, and the diagram before.
  int m_dragIndex = -1;
  bool m_dragMoved = false;
  QPoint m_dragStartClient;
  TDoublePoint m_dragStartPlane;
  TDoublePoint m_dragStartAnchor;
  std::unique_ptr<TPropertiesStep::TSnapshot> m_dragBefore;
};

}  // namespace app
