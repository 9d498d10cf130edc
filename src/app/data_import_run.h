#pragma once

#include <QString>
#include <array>

class TGraph;
class TGraphControl;

namespace app {

// A data file imported into a diagram from the command line: --columns,
// --group, --close and --style.
struct TImportRequest {
  QString DataFile;
  // "Sand,Silt,Clay" or "2,3,4": the columns of A, B and C by header or
  // one-based number; empty for the default mapping.
  QString Columns;
  QString Group;  // a header or a one-based number; empty for one series
  bool Close = false;
  // A diagram document whose styles, titles, header, footer and series
  // other than points series the imported series join; empty for a new
  // diagram, whose axes are then titled after the mapped columns.
  QString Style;
};

// The titles of the axes of components A, B and C, which the default
// mapping matches against the headers.
std::array<QString, 3> AxisTitles(const TGraph& graph);
void SetAxisTitles(TGraph& graph, const std::array<QString, 3>& titles);

// Fills the control with the diagram of the request and returns the import
// report, "1,234 rows, 12 skipped (lines 5, 17)". Raises TCommandLineError
// for bad columns, TImportError for a data file that gives no series and
// TDocumentError for a style document that cannot be read.
QString ImportIntoControl(TGraphControl& control, const TImportRequest& request);

}  // namespace app
