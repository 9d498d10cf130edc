#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

#include "import/data_file.h"
#include "import/data_table.h"
#include "import/import_error.h"
#include "import/series_builder.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QTableView;
class TDataTableModel;
class TDiagramHistory;
class TGraphControl;

// The modal dialog between a data file and the diagram: a preview of the
// file's first rows, its settings as detected (delimiter, decimal separator,
// encoding, header row; the sheet of a spreadsheet), the columns of A, B and
// C, the group column and the closure, and how many rows will be imported
// and skipped, counted again at each change, and whether the mapped
// columns' headers become the axis titles. Nothing reaches the diagram
// before Ok. Reading and counting a large file show a progress dialog whose
// Cancel leaves everything as it was before.
class TImportForm : public QDialog {
  Q_OBJECT

 public:
  explicit TImportForm(QWidget* parent = nullptr);
  ~TImportForm() override;

  struct TChoice {
    std::vector<std::unique_ptr<TPointsSerie>> Series;  // none on Cancel
    std::optional<std::array<QString, 3>> AxisTitles;   // set when the user asked for them
  };

  // Reads the file with the settings detected and the default mapping
  // (`axisTitles` are matched against its headers), then shows the dialog
  // modally. Raises TImportError, before anything is shown, for a file that
  // cannot be imported.
  TChoice Execute(const QString& fileName, const std::array<QString, 3>& axisTitles);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void CreateControls();
  void CreateLayout();
  void RetranslateUi();
  void FillChoiceLists();

  // Reads the file again with the settings of the controls.
  void SettingsChanged();
  // The window over which progress shows: the main window until the dialog is up.
  QWidget* ProgressOwner();
  // Reads the file under a progress dialog; false when the user cancelled,
  // leaving the table as it was.
  bool ReadTable(const import::TReadChoices& choices);
  // Shows the table's settings and columns in the controls, with `mapping`.
  void LoadControls(const import::TColumnMapping& mapping);
  import::TReadChoices ChosenSettings() const;
  import::TColumnMapping ChosenMapping() const;
  // Builds the series of the mapping and shows what it gives; a cancelled
  // count goes back to the mapping counted before.
  void Recount();
  void ShowCounts();

  QString m_fileName;
  std::array<QString, 3> m_axisTitles;
  import::TDataFileKind m_kind = import::TDataFileKind::Delimited;
  QStringList m_sheets;
  import::TDelimitedFormat m_format;
  import::TDataTable m_table;
  import::TImportedSeries m_imported;
  import::TColumnMapping m_counted;                   // the mapping m_imported was built with
  std::optional<import::TImportError> m_readFailure;  // why the file cannot be read with the present settings
  std::optional<import::TImportError> m_failure;      // why the present settings give no series
  int m_loading = 0;                                  // mutes the change handlers while the controls are loaded

  TDataTableModel* m_preview;  // owned by the dialog, like the widgets below
  QGroupBox* m_gbSettings = nullptr;
  QLabel* m_lblDelimiter = nullptr;
  QComboBox* m_cbDelimiter = nullptr;
  QLabel* m_lblDecimal = nullptr;
  QComboBox* m_cbDecimal = nullptr;
  QLabel* m_lblEncoding = nullptr;
  QComboBox* m_cbEncoding = nullptr;
  QLabel* m_lblSheet = nullptr;
  QComboBox* m_cbSheet = nullptr;
  QCheckBox* m_chkHeader = nullptr;
  QGroupBox* m_gbPreview = nullptr;
  QTableView* m_tvPreview = nullptr;
  QGroupBox* m_gbColumns = nullptr;
  std::array<QLabel*, 3> m_lblComponents{};
  std::array<QComboBox*, 3> m_cbComponents{};
  QLabel* m_lblGroup = nullptr;
  QComboBox* m_cbGroup = nullptr;
  QLabel* m_lblValue = nullptr;
  QComboBox* m_cbValue = nullptr;
  QCheckBox* m_chkClose = nullptr;
  QCheckBox* m_chkTitles = nullptr;
  QLabel* m_lblCounts = nullptr;
  QDialogButtonBox* m_buttons = nullptr;
};

namespace app {

// Imports a data file into the control's diagram through the import dialog:
// on Ok the series (and the axis titles, when asked for) are changed in one
// update and recorded as one step named after `origin`. Returns whether
// series were added. A file that cannot be imported raises an error worded
// in the current language, having changed nothing.
bool ImportDataFile(QWidget* parent, TGraphControl& control, TDiagramHistory& history, const QAction& origin,
                    const QString& fileName);

}  // namespace app
