#include "app/data_import_run.h"

#include <QFileInfo>
#include <QStringList>
#include <cstring>

#include "app/command_line.h"
#include "control/graph_control.h"
#include "import/column_mapping.h"
#include "import/data_file.h"
#include "import/series_builder.h"
#include "model/graph.h"
#include "model/graph_axe.h"
#include "model/graph_serie.h"

namespace app {

namespace {

// The axis of each component: A is measured on the bottom axis, B on the
// right, C on the left.
constexpr TAxePosition kAxeOfComponent[3] = {apBottom, apRight, apLeft};

int NamedColumn(const import::TDataTable& table, const QString& name, const QString& option) {
  const int column = import::FindColumn(table, name);
  if (column < 0)
    throw TCommandLineError(QStringLiteral("%1: no column \"%2\" in the data file").arg(option, name).toStdString());
  return column;
}

::import::TColumnMapping Mapping(const import::TDataTable& table, const TImportRequest& request,
                                 const std::array<QString, 3>& axisTitles) {
  const QString source = QFileInfo(request.DataFile).fileName();
  import::TColumnMapping mapping;
  if (request.Columns.isEmpty()) {
    mapping = import::DefaultMapping(table, axisTitles, source);
  } else {
    const QStringList names = request.Columns.split(QLatin1Char(','));
    if (names.size() != 3)
      throw TCommandLineError(
          QStringLiteral("--columns needs three columns separated by commas, as in \"Sand,Silt,Clay\"").toStdString());
    for (int i = 0; i < 3; ++i)
      mapping.Components[size_t(i)] = NamedColumn(table, names[i], QStringLiteral("--columns"));
  }
  if (!request.Group.isEmpty()) mapping.Group = NamedColumn(table, request.Group, QStringLiteral("--group"));
  mapping.Close = request.Close;
  return mapping;
}  // namespace

}  // namespace

std::array<QString, 3> AxisTitles(const TGraph& graph) {
  std::array<QString, 3> titles;
  for (size_t i = 0; i < 3; ++i) titles[i] = graph.GetAxe(kAxeOfComponent[i]).TextLabel().Text();
  return titles;
}

void SetAxisTitles(TGraph& graph, const std::array<QString, 3>& titles) {
  for (size_t i = 0; i < 3; ++i) graph.GetAxe(kAxeOfComponent[i]).TextLabel().SetText(titles[i]);
}

namespace {

// The template's points series are its data; lines and surfaces stay.
void RemovePointsSeries(TGraph& graph) {
  for (int index = graph.SeriesCount() - 1; index >= 0; --index)
    if (std::strcmp(graph.GetSerie(index).ClassName(), "TPointsSerie") == 0) graph.DeleteSerie(index);
}

}  // namespace

QString ImportIntoControl(TGraphControl& control, const TImportRequest& request) {
  TControlUpdateScope scope(control);
  TGraph& graph = control.Graph();
  if (request.Style.isEmpty()) {
    control.NewDiagram();
  } else {
    control.LoadFromFile(request.Style);
    RemovePointsSeries(graph);
  }
  const import::TDataTable table = import::ReadDataFile(request.DataFile);
  const import::TColumnMapping mapping = Mapping(table, request, AxisTitles(graph));
  const QFileInfo file(request.DataFile);
  import::TImportedSeries imported = import::BuildSeries(table, mapping, file.completeBaseName(), file.fileName());
  if (request.Style.isEmpty() && table.HasHeader()) {
    std::array<QString, 3> titles;
    for (size_t i = 0; i < 3; ++i) titles[i] = table.ColumnName(mapping.Components[i]);
    SetAxisTitles(graph, titles);
  }
  for (std::unique_ptr<TPointsSerie>& serie : imported.Series) graph.AddSerie(std::move(serie));
  control.FitToBounds();
  return imported.Report.Text();
}

}  // namespace app
