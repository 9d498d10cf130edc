#include "app/values_table_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/cell_numbers.h"
#include "model/lines_serie.h"
#include "model/points_serie.h"

namespace {

// The values of one item in column order: A, B, C (then A, B, C of P2).
void ItemValues(const TTernaryPoint& p, double* out) {
  out[0] = p.A;
  out[1] = p.B;
  out[2] = p.C;
}
void ItemValues(const TTernaryCouple& c, double* out) {
  ItemValues(c.P1, out);
  ItemValues(c.P2, out + 3);
}
TTernaryPoint PointOf(const double* v) { return {v[0], v[1], v[2]}; }

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Replaces a list's items with the rows that read, in one change of `serie`;
// `store(list, values)` adds the item of one row.
template <typename List, typename StoreRow>
void StoreRows(TGraphSerie& serie, const QString& name, List& items, int64_t rows, StoreRow store,
               const std::function<bool(int64_t, double*)>& readRow) {
  TUpdateScope scope(serie);
  serie.SetName(name);
  items.Clear();
  items.SetCapacity(int32_t(std::min<int64_t>(rows, List::kMaxCount)));
  double values[6];
  for (int64_t row = 0; row < rows && items.Count() < List::kMaxCount; ++row)
    if (readRow(row, values)) store(items, values);
}

}  // namespace

TValuesTableModel::TValuesTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TValuesTableModel::Reset(int columns, int64_t rows) {
  m_columns = columns;
  m_rows = rows;
  m_values.assign(size_t(rows * columns), 0.0);
  m_kinds.assign(size_t(rows * columns), ckEmpty);
  m_texts.clear();
}

void TValuesTableModel::Load(const TGraphSerie& serie) {
  beginResetModel();
  auto fill = [this](const auto& items, int columns) {
    Reset(columns, std::max<int64_t>(items.Count(), 1));
    for (int32_t i = 0; i < items.Count(); ++i) ItemValues(items.Data()[i], &m_values[size_t(CellIndex(i, 0))]);
    if (items.Count() > 0) std::fill(m_kinds.begin(), m_kinds.end(), ckNumber);
  };
  if (const auto* lines = dynamic_cast<const TLinesSerie*>(&serie)) {
    fill(lines->Items(), 6);
  } else if (const auto* points = dynamic_cast<const TPointsSerie*>(&serie)) {
    fill(points->Items(), kPointColumns);
    // An item without value leaves its value cell empty.
    const double* values = points->Items().Values();
    for (int32_t i = 0; i < points->Items().Count(); ++i) {
      const int64_t cell = CellIndex(i, kValueColumn);
      m_values[size_t(cell)] = values ? values[i] : 0.0;
      if (!values || std::isnan(values[i])) m_kinds[size_t(cell)] = ckEmpty;
    }
  } else
    Reset(3, 1);
  endResetModel();
}

void TValuesTableModel::Store(TGraphSerie& serie, const QString& name) const {
  const auto readRow = [this](int64_t row, double* values) { return !IsRowEmpty(row) && ReadRow(row, values); };
  if (auto* lines = dynamic_cast<TLinesSerie*>(&serie); lines && m_columns == 6) {
    StoreRows(
        serie, name, lines->Items(), m_rows,
        [](TTernaryCoupleList& items, const double* v) {
          items.Add({PointOf(v), PointOf(v + 3)});
        },
        readRow);
  } else if (auto* points = dynamic_cast<TPointsSerie*>(&serie); points && m_columns == kPointColumns) {
    const auto store = [](TTernaryPointList& items, const double* v) { items.Add(PointOf(v), v[kValueColumn]); };
    StoreRows(serie, name, points->Items(), m_rows, store, readRow);
  } else {
    serie.SetName(name);
  }
}

std::optional<double> TValuesTableModel::ReadCell(int64_t row, int column) const {
  const int64_t cell = CellIndex(row, column);
  switch (m_kinds[size_t(cell)]) {
    case ckEmpty:
      return IsValueColumn(column) ? kNoValue : 0.0;
    case ckNumber: {
      // A NaN shows as NAN, a text that does not read.
      const double value = m_values[size_t(cell)];
      if (std::isnan(value)) return std::nullopt;
      return value;
    }
    default:
      return app::ReadCellText(m_texts.at(cell), m_locale);
  }
}

bool TValuesTableModel::ReadRow(int64_t row, double* values) const {
  for (int column = 0; column < m_columns; ++column) {
    const auto value = ReadCell(row, column);
    if (!value) return false;
    values[column] = *value;
  }
  return true;
}

QString TValuesTableModel::CellText(int64_t row, int column) const {
  const int64_t cell = CellIndex(row, column);
  switch (m_kinds[size_t(cell)]) {
    case ckEmpty:
      return QString();
    case ckNumber:
      return app::FormatCellNumber(m_values[size_t(cell)], m_locale);
    default:
      return m_texts.at(cell);
  }
}

bool TValuesTableModel::IsRowEmpty(int64_t row) const {
  // Typed texts are never empty: clearing a cell leaves it without value.
  const auto first = m_kinds.begin() + CellIndex(row, 0);
  return std::all_of(first, first + m_columns, [](uint8_t kind) { return kind == ckEmpty; });
}

void TValuesTableModel::AppendEmptyRow() {
  beginInsertRows(QModelIndex(), int(m_rows), int(m_rows));
  m_values.resize(m_values.size() + size_t(m_columns), 0.0);
  m_kinds.resize(m_kinds.size() + size_t(m_columns), ckEmpty);
  ++m_rows;
  endInsertRows();
}

QString TValuesTableModel::CopyText() const {
  QString text;
  text.reserve(qsizetype(std::min<int64_t>(m_rows * m_columns * 10, 1 << 28)));
  for (int64_t row = 0; row < m_rows; ++row) {
    for (int column = 0; column < m_columns; ++column) {
      if (column > 0) text += QLatin1Char('\t');
      text += CellText(row, column);
    }
    text += QLatin1String("\r\n");
  }
  return text;
}

void TValuesTableModel::Paste(app::TPastedRows rows) {
  beginResetModel();
  m_columns = rows.columns;
  m_rows = rows.RowCount();
  m_values = std::move(rows.values);
  m_kinds.assign(m_values.size(), ckEmpty);
  for (int64_t row = 0; row < m_rows; ++row)
    std::fill_n(m_kinds.begin() + CellIndex(row, 0), rows.filled[size_t(row)], ckNumber);
  m_texts.clear();
  endResetModel();
}

void TValuesTableModel::NormalizePoint(int64_t row, int firstColumn) {
  double values[3];
  for (int i = 0; i < 3; ++i) {
    const auto value = ReadCell(row, firstColumn + i);
    if (!value) return;
    values[i] = *value;
  }
  const double sum = values[0] + values[1] + values[2];
  for (int i = 0; i < 3; ++i) {
    const int64_t cell = CellIndex(row, firstColumn + i);
    m_values[size_t(cell)] = (sum != 0.0 && !std::isnan(sum)) ? values[i] / sum : values[i];
    if (m_kinds[size_t(cell)] == ckText) m_texts.erase(cell);
    m_kinds[size_t(cell)] = ckNumber;
  }
}

void TValuesTableModel::Normalize() {
  for (int64_t row = 0; row < m_rows; ++row)
    for (int first = 0; first + 3 <= m_columns; first += 3) NormalizePoint(row, first);
  if (m_rows > 0) emit dataChanged(index(0, 0), index(int(m_rows - 1), m_columns - 1));
}

void TValuesTableModel::Invert() {
  if (m_rows < 2) return;
  beginResetModel();
  for (int64_t low = 0, high = m_rows - 1; low < high; ++low, --high) {
    std::swap_ranges(m_values.begin() + CellIndex(low, 0), m_values.begin() + CellIndex(low + 1, 0),
                     m_values.begin() + CellIndex(high, 0));
    std::swap_ranges(m_kinds.begin() + CellIndex(low, 0), m_kinds.begin() + CellIndex(low + 1, 0),
                     m_kinds.begin() + CellIndex(high, 0));
  }
  std::unordered_map<int64_t, QString> texts;
  texts.reserve(m_texts.size());
  for (auto& [cell, text] : m_texts)
    texts.emplace(CellIndex(m_rows - 1 - cell / m_columns, int(cell % m_columns)), std::move(text));
  m_texts.swap(texts);
  endResetModel();
}

int TValuesTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_rows); }

int TValuesTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_columns; }

QVariant TValuesTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return CellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      if (!ReadCell(index.row(), index.column())) return QBrush(QColor(255, 0, 0));
      return {};
    default:
      return {};
  }
}

bool TValuesTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const int64_t cell = CellIndex(index.row(), index.column());
  const QString text = value.toString();
  if (text == CellText(index.row(), index.column())) return true;  // an editor closed unchanged keeps the number
  if (text.isEmpty()) {
    m_texts.erase(cell);
    m_kinds[size_t(cell)] = ckEmpty;
  } else {
    m_texts[cell] = text;
    m_kinds[size_t(cell)] = ckText;
  }
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags TValuesTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant TValuesTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (IsValueColumn(section)) return tr("Valeur");
  static const char* const kCaptions[] = {"A", "B", "C"};
  return QString::fromLatin1(kCaptions[section % 3]);
}
