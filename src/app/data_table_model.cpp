#include "app/data_table_model.h"

#include <algorithm>

#include "i18n/dictionary.h"
#include "import/data_table.h"

void TDataTableModel::SetTable(const import::TDataTable* table) {
  beginResetModel();
  m_table = table;
  endResetModel();
}

int TDataTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !m_table) return 0;
  return int(std::min<int64_t>(m_table->RowCount(), kPreviewRows));
}

int TDataTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !m_table ? 0 : m_table->ColumnCount();
}

QVariant TDataTableModel::data(const QModelIndex& index, int role) const {
  if (!m_table || !index.isValid()) return {};
  if (role == Qt::DisplayRole) return m_table->CellText(index.row(), index.column());
  if (role == Qt::TextAlignmentRole && m_table->Kind(index.row(), index.column()) == import::TCellKind::Number)
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant TDataTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (!m_table || role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return m_table->ColumnName(section, i18n::Lookup);
  return QString::number(m_table->LineNumber(section));
}
