#pragma once

#include <QTableView>

class TBandHeader;
class TValuesTableModel;

// The table of the values dialog. Enter and Tab move to the next cell, from
// the last cell of a row on to the first of the next; Enter in the last cell
// of the last row first adds a row, so that typing goes on. Delete clears the
// current cell.
class TValuesGrid : public QTableView {
  Q_OBJECT

 public:
  explicit TValuesGrid(TValuesTableModel& values, QWidget* parent = nullptr);

  TBandHeader& BandHeader() const { return *m_header; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  void MoveToNextCell(bool appendAtEnd);

  TValuesTableModel& m_values;
  TBandHeader* m_header;  // owned by the view
};
