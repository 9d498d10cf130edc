#pragma once

#include <QAbstractTableModel>

namespace import {
class TDataTable;
}

// The first rows of an import's table, read-only, for the preview: the
// columns are named after the table's headers and the rows after their lines
// in the file. Nothing is copied; the model reads the table it is given.
class TDataTableModel : public QAbstractTableModel {
 public:
  // A preview, not an editor: more rows only slow the dialog down.
  static constexpr int kPreviewRows = 100;

  using QAbstractTableModel::QAbstractTableModel;

  // The table shown, or nullptr for none; it must outlive the model or be
  // replaced first.
  void SetTable(const import::TDataTable* table);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const import::TDataTable* m_table = nullptr;
};
