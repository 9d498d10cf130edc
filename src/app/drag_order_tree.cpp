#include "app/drag_order_tree.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace app {

TDragOrderTree::TDragOrderTree(QWidget* parent) : QTreeWidget(parent) {
  setDragDropMode(QAbstractItemView::NoDragDrop);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

bool TDragOrderTree::Movable(const QTreeWidgetItem* entry) const { return entry && IsMovable && IsMovable(entry); }

bool TDragOrderTree::MoveBefore(QTreeWidgetItem* entry, QTreeWidgetItem* target) {
  if (entry == target || !Movable(entry) || !Movable(target)) return false;
  // The entry stays the current one throughout: nobody must see the
  // selection wander while it is taken out and put back.
  const QSignalBlocker blocker(this);
  QTreeWidgetItem* taken = takeTopLevelItem(indexOfTopLevelItem(entry));
  insertTopLevelItem(indexOfTopLevelItem(target), taken);
  setCurrentItem(taken);
  return true;
}

void TDragOrderTree::CancelDrag() {
  m_pressed = nullptr;
  m_dragging = false;
  viewport()->unsetCursor();
}

void TDragOrderTree::mousePressEvent(QMouseEvent* event) {
  QTreeWidget::mousePressEvent(event);
  CancelDrag();
  if (event->button() != Qt::LeftButton) return;
  m_pressed = itemAt(event->position().toPoint());
  m_pressPosition = event->position().toPoint();
}

void TDragOrderTree::mouseMoveEvent(QMouseEvent* event) {
  if (!m_pressed || !(event->buttons() & Qt::LeftButton)) {
    QTreeWidget::mouseMoveEvent(event);
    return;
  }
  const QPoint position = event->position().toPoint();
  if (!m_dragging && (position - m_pressPosition).manhattanLength() >= QApplication::startDragDistance())
    m_dragging = Movable(m_pressed);
  if (m_dragging) {
    QTreeWidgetItem* target = itemAt(position);
    viewport()->setCursor(Movable(target) && target != m_pressed ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
  }
  // No selection sweep while the button is held on an entry.
  event->accept();
}

void TDragOrderTree::mouseReleaseEvent(QMouseEvent* event) {
  if (!m_dragging) {
    CancelDrag();
    QTreeWidget::mouseReleaseEvent(event);
    return;
  }
  QTreeWidgetItem* dragged = m_pressed;
  CancelDrag();
  event->accept();
  if (MoveBefore(dragged, itemAt(event->position().toPoint())) && OnMoved) OnMoved();
}

}  // namespace app
