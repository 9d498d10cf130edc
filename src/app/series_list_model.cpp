#include "app/series_list_model.h"

#include <cstring>

#include "i18n/dictionary.h"
#include "model/graph.h"
#include "model/graph_serie.h"

TSeriesListModel::TSeriesListModel(const TGraph& graph, QObject* parent) : QAbstractTableModel(parent), m_graph(graph) {
  m_rows = m_graph.SeriesCount();
}

void TSeriesListModel::Rebuild() {
  beginResetModel();
  m_rows = m_graph.SeriesCount();
  endResetModel();
}

int TSeriesListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int TSeriesListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant TSeriesListModel::data(const QModelIndex& index, int role) const {
  const int row = index.row();
  if (!index.isValid() || row >= m_graph.SeriesCount()) return {};
  if (role == kSerieIndexRole) return row;
  if (role != Qt::DisplayRole) return {};
  const TGraphSerie& serie = m_graph.GetSerie(row);
  if (index.column() == 1) return SerieTypeName(serie.ClassName());
  return serie.Name().isEmpty() ? QString::number(row) : serie.Name();
}

QVariant TSeriesListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == 0 ? tr("Série") : tr("Type");
}

QString SerieTypeName(const char* className) {
  if (std::strcmp(className, "TPointsSerie") == 0) return i18n::Lookup(QT_TRANSLATE_NOOP("Program", "Points"));
  if (std::strcmp(className, "TLinesSerie") == 0) return i18n::Lookup(QT_TRANSLATE_NOOP("Program", "Droites"));
  if (std::strcmp(className, "TSurfaceSerie") == 0) return i18n::Lookup(QT_TRANSLATE_NOOP("Program", "Surface"));
  return {};
}
