#include "app/values_grid.h"

#include <QKeyEvent>

#include "app/band_header.h"
#include "app/values_table_model.h"

TValuesGrid::TValuesGrid(TValuesTableModel& values, QWidget* parent)
    : QTableView(parent), m_values(values), m_header(new TBandHeader(this)) {
  setHorizontalHeader(m_header);
  setModel(&m_values);
  m_header->setSectionResizeMode(QHeaderView::Stretch);
  m_header->setSectionsClickable(false);
  verticalHeader()->hide();
  // Rows of one height: nothing is measured per row, however many there are.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setShowGrid(true);
  setSortingEnabled(false);
  setWordWrap(false);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                  QAbstractItemView::EditKeyPressed);
}

void TValuesGrid::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  switch (plain ? event->key() : 0) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter in an editor reaches here before the delegate's queued commit
      // and close of that editor: move only after them.
      if (state() == QAbstractItemView::EditingState)
        QMetaObject::invokeMethod(
            this, [this] { MoveToNextCell(true); }, Qt::QueuedConnection);
      else
        MoveToNextCell(true);
      event->accept();
      return;
    case Qt::Key_Tab:
      MoveToNextCell(false);
      event->accept();
      return;
    case Qt::Key_Delete:
      if (currentIndex().isValid()) m_values.setData(currentIndex(), QString());
      event->accept();
      return;
    default:
      QTableView::keyPressEvent(event);
  }
}

void TValuesGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // The delegate ends an edit with EditNextItem on Tab; go on like Tab outside
  // an edit, to the next row from a row's end.
  if (hint != QAbstractItemDelegate::EditNextItem) return QTableView::closeEditor(editor, hint);
  QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
  MoveToNextCell(false);
}

void TValuesGrid::MoveToNextCell(bool appendAtEnd) {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) {
    if (m_values.rowCount() > 0) setCurrentIndex(m_values.index(0, 0));
    return;
  }
  const int lastColumn = m_values.columnCount() - 1;
  const int lastRow = m_values.rowCount() - 1;
  int row = current.row();
  int column = current.column() + 1;
  if (column > lastColumn) {
    if (row == lastRow) {
      if (!appendAtEnd) return;
      m_values.AppendEmptyRow();
    }
    ++row;
    column = 0;
  }
  setCurrentIndex(m_values.index(row, column));
}
