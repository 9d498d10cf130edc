#pragma once

#include <QAbstractTableModel>

class TGraph;

// The series of a graph as two columns, name and type, read from the graph
// itself. The row count is taken at each Rebuild, so rows never outrun the
// graph between a change of its series and the rebuild that follows.
class TSeriesListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Holds the series' index in the graph under this role.
  static constexpr int kSerieIndexRole = Qt::UserRole;

  explicit TSeriesListModel(const TGraph& graph, QObject* parent = nullptr);

  void Rebuild();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const TGraph& m_graph;
  int m_rows = 0;
};

// The type column's text for a series class, in the current language; empty
// for a class that is none of the three kinds.
QString SerieTypeName(const char* className);
