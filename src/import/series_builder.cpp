#include "import/series_builder.h"

#include <QLocale>
#include <QStringList>
#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "import/import_error.h"
#include "import/series_palette.h"

namespace import {

namespace {

// The name of rows whose group cell is empty.
const char* const kNoGroupName = "(none)";

// A row's composition, or nothing when it must be skipped.
std::optional<TTernaryPoint> Composition(const TDataTable& table, int64_t row, const TColumnMapping& mapping) {
  TTernaryPoint point;
  double sum = 0.0;
  for (int i = 0; i < 3; ++i) {
    const double value = table.Number(row, mapping.Components[size_t(i)]);
    if (!(value >= 0.0)) return std::nullopt;  // missing, a text (NaN) or negative
    point[i] = value;
    sum += value;
  }
  if (!(sum > 0.0) || !std::isfinite(sum)) return std::nullopt;
  if (mapping.Close) point = {point.A / sum, point.B / sum, point.C / sum};
  return point;
}

// Sorts rows into groups by the text of their group cell, keeping the order
// in which groups first appear. Rows come sorted by group in most files:
// the last group found is tried first.
class TGroups {
 public:
  size_t IndexOf(const QString& key) {
    if (!m_names.empty() && m_names[m_last] == key) return m_last;
    const auto [at, added] = m_index.try_emplace(key, m_names.size());
    if (added) {
      m_names.push_back(key);
      m_points.emplace_back();
      m_values.emplace_back();
    }
    m_last = at->second;
    return m_last;
  }
  std::vector<TTernaryPoint>& Points(size_t index) { return m_points[index]; }
  // Aligned with the points when the mapping has a value column, else empty.
  std::vector<double>& Values(size_t index) { return m_values[index]; }
  size_t Count() const { return m_names.size(); }
  const QString& Name(size_t index) const { return m_names[index]; }

 private:
  std::map<QString, size_t> m_index;
  std::vector<QString> m_names;
  std::vector<std::vector<TTernaryPoint>> m_points;
  std::vector<std::vector<double>> m_values;
  size_t m_last = 0;
};

QString GroupKey(const TDataTable& table, int64_t row, int column) {
  if (column < 0) return {};
  const QString text = table.CellText(row, column).trimmed();
  return text.isEmpty() ? QString::fromLatin1(kNoGroupName) : text;
}

}  // namespace

void TSkipReport::Skip(int64_t line) {
  ++Skipped;
  if (Lines.size() < kListedLines) Lines.push_back(line);
}

QString TSkipReport::Text() const {
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  QString text = QStringLiteral("%1 rows, %2 skipped").arg(english.toString(Rows), english.toString(Skipped));
  if (Lines.empty()) return text;
  QStringList lines;
  for (const int64_t line : Lines) lines << english.toString(line);
  text += QStringLiteral(" (%1 %2").arg(Lines.size() == 1 ? QStringLiteral("line") : QStringLiteral("lines"),
                                        lines.join(QStringLiteral(", ")));
  if (Skipped > int64_t(Lines.size()))
    text += QStringLiteral(" and %1 more").arg(english.toString(Skipped - int64_t(Lines.size())));
  return text + QLatin1Char(')');
}

TImportedSeries BuildSeries(const TDataTable& table, const TColumnMapping& mapping, const QString& name,
                            const QString& source, const model::TProgress& progress) {
  constexpr int64_t kRowsPerReport = 1 << 16;
  TImportedSeries result;
  TGroups groups;
  if (mapping.Group < 0) groups.Points(groups.IndexOf(name)).reserve(size_t(table.RowCount()));
  for (int64_t row = 0; row < table.RowCount(); ++row) {
    if (row % kRowsPerReport == 0) progress.Report(double(row) / double(table.RowCount()));
    ++result.Report.Rows;
    const std::optional<TTernaryPoint> point = Composition(table, row, mapping);
    if (!point) {
      result.Report.Skip(table.LineNumber(row));
      continue;
    }
    const size_t group = mapping.Group < 0 ? 0 : groups.IndexOf(GroupKey(table, row, mapping.Group));
    groups.Points(group).push_back(*point);
    // A cell that is no finite number is a point without value.
    if (mapping.Value >= 0) {
      const double value = table.Number(row, mapping.Value);
      groups.Values(group).push_back(std::isfinite(value) ? value : std::numeric_limits<double>::quiet_NaN());
    }
  }
  progress.Report(1);
  if (result.Report.Rows == 0)
    Fail(TImportFault::NoUsableRow, source, QT_TRANSLATE_NOOP("Program", "it holds no data rows"));
  if (result.Report.Imported() == 0)
    Fail(TImportFault::NoUsableRow, source,
         QT_TRANSLATE_NOOP("Program",
                           "none of its %1 rows holds a composition of three numbers, not negative, not all zero"),
         {QString::number(result.Report.Rows)});
  for (size_t index = 0; index < groups.Count(); ++index) {
    if (groups.Points(index).empty()) continue;
    auto serie = std::make_unique<TPointsSerie>();
    serie->SetName(groups.Name(index));
    StyleGroupSerie(*serie, int(result.Series.size()));
    serie->Items().SwapItems(groups.Points(index), groups.Values(index));
    result.Series.push_back(std::move(serie));
  }
  return result;
}

}  // namespace import
