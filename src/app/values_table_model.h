#pragma once

#include <QAbstractTableModel>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "app/pasted_rows.h"

class TGraphSerie;

// The rows of the values grid: four cells per row for a series of points
// (A, B, C and the point's value), six for a series of lines. A cell holds no value, a number (shown in the
// locale's form) or the text the user typed; only typed texts are kept as
// text, so a million rows cost little more than their numbers.
class TValuesTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TValuesTableModel(QObject* parent = nullptr);

  // Texts are shown and read with this locale (the user's by default).
  void SetLocale(const QLocale& locale) { m_locale = locale; }

  // Replaces every row with the series' items; a series without item gives
  // one empty row. Lines series have six columns, points series four.
  void Load(const TGraphSerie& serie);
  // Replaces the series' name and items in one change of the series: rows
  // that are empty or hold a cell that does not read are skipped.
  void Store(TGraphSerie& serie, const QString& name) const;

  int Columns() const { return m_columns; }
  int64_t RowTotal() const { return m_rows; }
  // The cell as a number: no value reads 0 (NaN in the value column);
  // nothing when the text does not read.
  std::optional<double> ReadCell(int64_t row, int column) const;
  QString CellText(int64_t row, int column) const;
  bool IsRowEmpty(int64_t row) const;

  void AppendEmptyRow();
  // Every row, empty ones included: its cells' texts joined by TAB, then CR LF.
  QString CopyText() const;
  // Replaces every row with the pasted ones.
  void Paste(app::TPastedRows rows);
  // Divides each point's three values by their sum, when the sum is a number
  // other than 0; the values are written back either way.
  void Normalize();
  // Reverses the order of the rows.
  void Invert();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  enum TCellKind : uint8_t { ckEmpty, ckNumber, ckText };
  // The columns of a points series: A, B, C, then the value.
  static constexpr int kPointColumns = 4;
  static constexpr int kValueColumn = 3;

  bool IsValueColumn(int column) const { return m_columns == kPointColumns && column == kValueColumn; }

  int64_t CellIndex(int64_t row, int column) const { return row * m_columns + column; }
  // Reads one row's cells into `values`; false when a cell does not read.
  bool ReadRow(int64_t row, double* values) const;
  void Reset(int columns, int64_t rows);
  void NormalizePoint(int64_t row, int firstColumn);

  QLocale m_locale;
  int m_columns = 3;
  int64_t m_rows = 0;
  std::vector<double> m_values;
  std::vector<uint8_t> m_kinds;
  std::unordered_map<int64_t, QString> m_texts;  // by cell index, for ckText cells only
};
