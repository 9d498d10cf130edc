#pragma once

#include <QPoint>
#include <QTreeWidget>
#include <functional>

namespace app {

// A one-level tree whose movable entries the user reorders by dragging one
// onto another: the dragged entry moves to just before the entry it is
// dropped on. Other entries can neither be dragged nor be dropped onto.
// The drag never leaves the tree, so it is handled with the mouse alone.
class TDragOrderTree : public QTreeWidget {
 public:
  explicit TDragOrderTree(QWidget* parent = nullptr);

  std::function<bool(const QTreeWidgetItem*)> IsMovable;
  // After an entry was moved.
  std::function<void()> OnMoved;

  // Moves `entry` to just before `target`; false, leaving the tree as it
  // was, when the move is not allowed.
  bool MoveBefore(QTreeWidgetItem* entry, QTreeWidgetItem* target);
  // Forgets a drag in progress; the tree is about to be emptied.
  void CancelDrag();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool Movable(const QTreeWidgetItem* entry) const;

  QTreeWidgetItem* m_pressed = nullptr;
  QPoint m_pressPosition;
  bool m_dragging = false;
};

}  // namespace app
