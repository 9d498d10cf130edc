#include "app/import_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/data_import_run.h"
#include "app/data_table_model.h"
#include "app/diagram_history.h"
#include "app/progress_run.h"
#include "app/undo_steps.h"
#include "control/graph_control.h"
#include "i18n/dictionary.h"
#include "import/import_error.h"
#include "import/spreadsheet_reader.h"
#include "model/graph.h"

namespace {

constexpr QSize kInitialSize(760, 560);
// The choices of the settings lists, in the order of their items.
constexpr char kDelimiters[] = {',', ';', '\t', '|', ' '};
constexpr char kDecimalSeparators[] = {'.', ','};
constexpr import::TTextEncoding kEncodings[] = {import::TTextEncoding::Utf8, import::TTextEncoding::Utf8WithBom,
                                                import::TTextEncoding::Latin1};

QComboBox* NewCombo(QWidget* parent, const char* name, int items) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QString::fromLatin1(name));
  for (int i = 0; i < items; ++i) combo->addItem(QString());
  return combo;
}

template <class T, size_t N>
int IndexOf(const T (&choices)[N], T value) {
  return int(std::find(choices, choices + N, value) - choices);
}

bool Fits(const import::TColumnMapping& mapping, const import::TDataTable& table) {
  return std::all_of(mapping.Components.begin(), mapping.Components.end(),
                     [&table](int column) { return column >= 0 && column < table.ColumnCount(); }) &&
         mapping.Group < table.ColumnCount() && mapping.Value < table.ColumnCount();
}

}  // namespace

TImportForm::TImportForm(QWidget* parent) : QDialog(parent), m_preview(new TDataTableModel(this)) {
  setObjectName(QStringLiteral("ImportForm"));
  CreateControls();
  CreateLayout();
  resize(kInitialSize);
  RetranslateUi();
}

TImportForm::~TImportForm() = default;

void TImportForm::CreateControls() {
  m_gbSettings = new QGroupBox(this);
  m_cbDelimiter = NewCombo(this, "cbDelimiter", int(std::size(kDelimiters)));
  m_cbDecimal = NewCombo(this, "cbDecimal", int(std::size(kDecimalSeparators)));
  m_cbEncoding = NewCombo(this, "cbEncoding", int(std::size(kEncodings)));
  m_cbEncoding->setItemText(0, QStringLiteral("UTF-8"));
  m_cbEncoding->setItemText(2, QStringLiteral("Latin-1"));
  m_cbSheet = NewCombo(this, "cbSheet", 0);
  m_chkHeader = new QCheckBox(this);
  m_chkHeader->setObjectName(QStringLiteral("chkHeader"));
  for (QComboBox* combo : {m_cbDelimiter, m_cbDecimal, m_cbEncoding, m_cbSheet})
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { SettingsChanged(); });
  connect(m_chkHeader, &QCheckBox::toggled, this, [this] { SettingsChanged(); });

  m_gbPreview = new QGroupBox(this);
  m_tvPreview = new QTableView(this);
  m_tvPreview->setObjectName(QStringLiteral("tvPreview"));
  m_tvPreview->setModel(m_preview);
  m_tvPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_tvPreview->verticalHeader()->setDefaultSectionSize(m_tvPreview->fontMetrics().height() + 4);

  m_gbColumns = new QGroupBox(this);
  const char* const names[] = {"cbColumnA", "cbColumnB", "cbColumnC"};
  for (size_t i = 0; i < 3; ++i) {
    m_lblComponents[i] = new QLabel(this);
    m_cbComponents[i] = NewCombo(this, names[i], 0);
  }
  m_cbGroup = NewCombo(this, "cbGroup", 0);
  m_cbValue = NewCombo(this, "cbValue", 0);
  m_chkClose = new QCheckBox(this);
  m_chkClose->setObjectName(QStringLiteral("chkClose"));
  for (QComboBox* combo : {m_cbComponents[0], m_cbComponents[1], m_cbComponents[2], m_cbGroup, m_cbValue})
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { Recount(); });
  connect(m_chkClose, &QCheckBox::toggled, this, [this] { Recount(); });
  m_chkTitles = new QCheckBox(this);
  m_chkTitles->setObjectName(QStringLiteral("chkTitles"));

  m_lblCounts = new QLabel(this);
  m_lblCounts->setObjectName(QStringLiteral("lblCounts"));
  m_lblCounts->setWordWrap(true);
  m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOk"));
  m_buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
  connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TImportForm::CreateLayout() {
  auto* settings = new QFormLayout(m_gbSettings);
  m_lblDelimiter = new QLabel(this);
  m_lblDecimal = new QLabel(this);
  m_lblEncoding = new QLabel(this);
  m_lblSheet = new QLabel(this);
  settings->addRow(m_lblDelimiter, m_cbDelimiter);
  settings->addRow(m_lblDecimal, m_cbDecimal);
  settings->addRow(m_lblEncoding, m_cbEncoding);
  settings->addRow(m_lblSheet, m_cbSheet);
  settings->addRow(m_chkHeader);

  auto* columns = new QFormLayout(m_gbColumns);
  for (size_t i = 0; i < 3; ++i) columns->addRow(m_lblComponents[i], m_cbComponents[i]);
  m_lblGroup = new QLabel(this);
  columns->addRow(m_lblGroup, m_cbGroup);
  m_lblValue = new QLabel(this);
  columns->addRow(m_lblValue, m_cbValue);
  columns->addRow(m_chkClose);
  columns->addRow(m_chkTitles);

  auto* preview = new QVBoxLayout(m_gbPreview);
  preview->addWidget(m_tvPreview);

  auto* top = new QHBoxLayout;
  top->addWidget(m_gbSettings);
  top->addWidget(m_gbColumns);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_gbPreview, 1);
  layout->addWidget(m_lblCounts);
  layout->addWidget(m_buttons);
}

void TImportForm::RetranslateUi() {
  setWindowTitle(tr("Importer des données"));
  m_gbSettings->setTitle(tr("Fichier"));
  m_lblDelimiter->setText(tr("Séparateur :"));
  m_lblDecimal->setText(tr("Séparateur décimal :"));
  m_lblEncoding->setText(tr("Codage :"));
  m_lblSheet->setText(tr("Feuille :"));
  m_chkHeader->setText(tr("La première ligne est un en-tête"));
  m_gbPreview->setTitle(tr("Aperçu"));
  m_gbColumns->setTitle(tr("Colonnes"));
  m_lblComponents[0]->setText(tr("Colonne A :"));
  m_lblComponents[1]->setText(tr("Colonne B :"));
  m_lblComponents[2]->setText(tr("Colonne C :"));
  m_lblGroup->setText(tr("Une série par valeur de :"));
  m_lblValue->setText(tr("Valeur de chaque point :"));
  m_chkClose->setText(tr("Ramener chaque ligne à une somme de 1"));
  m_chkTitles->setText(tr("Titrer les axes A, B et C d'après les colonnes"));
  m_buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
  m_buttons->button(QDialogButtonBox::Cancel)->setText(tr("Annuler"));
  FillChoiceLists();
  ShowCounts();
}

void TImportForm::FillChoiceLists() {
  const QString delimiters[] = {tr("Virgule"), tr("Point-virgule"), tr("Tabulation"), tr("Barre verticale"),
                                tr("Espace")};
  static_assert(std::size(delimiters) == std::size(kDelimiters));
  for (int i = 0; i < int(std::size(delimiters)); ++i) m_cbDelimiter->setItemText(i, delimiters[i]);
  m_cbDecimal->setItemText(0, tr("Point (.)"));
  m_cbDecimal->setItemText(1, tr("Virgule (,)"));
  m_cbEncoding->setItemText(1, tr("UTF-8 avec marque d'ordre"));
  // The optional columns' lists start with none.
  for (QComboBox* optional : {m_cbGroup, m_cbValue})
    if (optional->count() > 0) optional->setItemText(0, tr("(aucune)"));
  // Columns without a header are named in the window's language.
  for (int column = 0; column < m_table.ColumnCount() && column + 1 < m_cbGroup->count(); ++column) {
    const QString name = m_table.ColumnName(column, i18n::Lookup);
    for (QComboBox* combo : m_cbComponents) combo->setItemText(column, name);
    for (QComboBox* optional : {m_cbGroup, m_cbValue}) optional->setItemText(column + 1, name);
  }
}

void TImportForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) RetranslateUi();
  QDialog::changeEvent(event);
}

TImportForm::TChoice TImportForm::Execute(const QString& fileName, const std::array<QString, 3>& axisTitles) {
  m_fileName = fileName;
  m_axisTitles = axisTitles;
  const QString source = QFileInfo(fileName).fileName();
  if (!ReadTable({})) return {};
  m_kind = *import::DataFileKind(fileName);  // ReadTable raised for any other file
  if (m_kind != import::TDataFileKind::Delimited) {
    QFile file(fileName);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    m_sheets = import::SpreadsheetSheetNames(
        std::string_view(bytes.constData(), size_t(bytes.size())),
        m_kind == import::TDataFileKind::Xlsx ? import::TSpreadsheetKind::Xlsx : import::TSpreadsheetKind::Ods, source);
  }
  m_counted = import::DefaultMapping(m_table, axisTitles, source);
  LoadControls(m_counted);
  Recount();
  if (m_imported.Series.empty() && !m_failure) return {};  // the count was cancelled
  if (m_failure) throw *m_failure;
  if (exec() != QDialog::Accepted) return {};
  TChoice choice;
  if (m_chkTitles->isEnabled() && m_chkTitles->isChecked()) {
    choice.AxisTitles.emplace();
    for (size_t i = 0; i < 3; ++i) (*choice.AxisTitles)[i] = m_table.ColumnName(m_counted.Components[i]);
  }
  choice.Series = std::move(m_imported.Series);
  return choice;
}

QWidget* TImportForm::ProgressOwner() { return isVisible() ? this : parentWidget(); }

bool TImportForm::ReadTable(const import::TReadChoices& choices) {
  import::TDataTable table;
  import::TDelimitedFormat format = m_format;
  auto keep = [this, &table, &format] {
    m_preview->SetTable(nullptr);
    m_table = std::move(table);
    m_format = format;
    m_preview->SetTable(&m_table);
  };
  try {
    if (!app::RunWithProgress(ProgressOwner(), app::TLongWork::Import, [&](const model::TProgress& progress) {
          table = import::ReadDataFile(m_fileName, choices, &format, progress);
        }))
      return false;
  } catch (...) {
    table = {};
    keep();  // the settings stay as chosen, over an empty preview
    throw;
  }
  keep();
  return true;
}

void TImportForm::SettingsChanged() {
  if (m_loading) return;
  import::TColumnMapping mapping = ChosenMapping();
  std::optional<import::TImportError> failure;
  try {
    if (!ReadTable(ChosenSettings())) {
      LoadControls(m_counted);  // back to the settings of the table kept
      return;
    }
    if (!Fits(mapping, m_table))
      mapping = import::DefaultMapping(m_table, m_axisTitles, QFileInfo(m_fileName).fileName());
  } catch (const import::TImportError& error) {
    failure = error;
  }
  m_readFailure = failure;
  LoadControls(mapping);
  Recount();
}

void TImportForm::LoadControls(const import::TColumnMapping& mapping) {
  QScopedValueRollback<int> loading(m_loading, m_loading + 1);
  const bool delimited = m_kind == import::TDataFileKind::Delimited;
  for (QWidget* control : {m_cbDelimiter, m_cbDecimal, m_cbEncoding}) control->setEnabled(delimited);
  m_cbSheet->setEnabled(!delimited);
  if (m_cbSheet->count() != m_sheets.size()) {
    m_cbSheet->clear();
    m_cbSheet->addItems(m_sheets);
  }
  m_cbDelimiter->setCurrentIndex(IndexOf(kDelimiters, m_format.Delimiter));
  m_cbDecimal->setCurrentIndex(IndexOf(kDecimalSeparators, m_format.DecimalSeparator));
  m_cbEncoding->setCurrentIndex(IndexOf(kEncodings, m_format.Encoding));
  m_chkHeader->setChecked(m_table.HasHeader());

  QStringList columns;
  for (int column = 0; column < m_table.ColumnCount(); ++column) columns << m_table.ColumnName(column, i18n::Lookup);
  for (size_t i = 0; i < 3; ++i) {
    m_cbComponents[i]->clear();
    m_cbComponents[i]->addItems(columns);
    m_cbComponents[i]->setCurrentIndex(mapping.Components[i]);
  }
  for (const auto& [optional, column] : {std::pair{m_cbGroup, mapping.Group}, std::pair{m_cbValue, mapping.Value}}) {
    optional->clear();
    optional->addItem(QString());
    optional->addItems(columns);
    optional->setCurrentIndex(column + 1);
  }
  m_chkClose->setChecked(mapping.Close);
  FillChoiceLists();
}

::import::TReadChoices TImportForm::ChosenSettings() const {
  import::TReadChoices choices;
  if (m_kind == import::TDataFileKind::Delimited) {
    // A list without a current item leaves its setting to be detected.
    if (m_cbDelimiter->currentIndex() >= 0) choices.Text.Delimiter = kDelimiters[m_cbDelimiter->currentIndex()];
    if (m_cbDecimal->currentIndex() >= 0)
      choices.Text.DecimalSeparator = kDecimalSeparators[m_cbDecimal->currentIndex()];
    if (m_cbEncoding->currentIndex() >= 0) choices.Text.Encoding = kEncodings[m_cbEncoding->currentIndex()];
  }
  choices.Text.HasHeader = m_chkHeader->isChecked();
  choices.Sheet = std::max(0, m_cbSheet->currentIndex());
  return choices;
}

::import::TColumnMapping TImportForm::ChosenMapping() const {
  import::TColumnMapping mapping;
  for (size_t i = 0; i < 3; ++i) mapping.Components[i] = m_cbComponents[i]->currentIndex();
  mapping.Group = m_cbGroup->currentIndex() - 1;
  mapping.Value = m_cbValue->currentIndex() - 1;
  mapping.Close = m_chkClose->isChecked();
  return mapping;
}

void TImportForm::Recount() {
  if (m_loading) return;
  const import::TColumnMapping mapping = ChosenMapping();
  const QFileInfo file(m_fileName);
  import::TImportedSeries imported;
  std::optional<import::TImportError> failure = m_readFailure;
  if (!failure) {
    try {
      if (!app::RunWithProgress(ProgressOwner(), app::TLongWork::Import, [&](const model::TProgress& progress) {
            imported = import::BuildSeries(m_table, mapping, file.completeBaseName(), file.fileName(), progress);
          })) {
        if (isVisible()) LoadControls(m_counted);  // the counts shown are still the old mapping's
        return;
      }
    } catch (const import::TImportError& error) {
      failure = error;
      imported.Report.Rows = imported.Report.Skipped = m_table.RowCount();
    }
  }
  m_imported = std::move(imported);
  m_failure = failure;
  m_counted = mapping;
  ShowCounts();
}

void TImportForm::ShowCounts() {
  m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_imported.Series.empty());
  m_chkTitles->setEnabled(m_table.HasHeader());
  if (m_readFailure) {
    m_lblCounts->setText(m_readFailure->Text(i18n::Lookup));
    return;
  }
  const import::TSkipReport& report = m_imported.Report;
  const QLocale locale;
  QString text = tr("Lignes à importer : %1 ; séries : %2 ; ignorées : %3")
                     .arg(locale.toString(qlonglong(report.Imported())))
                     .arg(locale.toString(qulonglong(m_imported.Series.size())))
                     .arg(locale.toString(qlonglong(report.Skipped)));
  if (!report.Lines.empty()) {
    QStringList lines;
    for (int64_t line : report.Lines) lines << locale.toString(qlonglong(line));
    const int64_t unlisted = report.Skipped - int64_t(report.Lines.size());
    if (unlisted > 0) lines << tr("et %1 de plus").arg(locale.toString(qlonglong(unlisted)));
    text += QLatin1Char('\n') + tr("Lignes ignorées : %1").arg(lines.join(QStringLiteral(", ")));
  }
  m_lblCounts->setText(text);
}

namespace app {

bool ImportDataFile(QWidget* parent, TGraphControl& control, TDiagramHistory& history, const QAction& origin,
                    const QString& fileName) {
  TImportForm::TChoice choice;
  try {
    choice = TImportForm(parent).Execute(fileName, AxisTitles(control.Graph()));
  } catch (const import::TImportError& error) {
    throw std::runtime_error(error.Text(i18n::Lookup).toStdString());
  }
  if (choice.Series.empty()) return false;
  std::vector<TGraphSerie*> added;
  std::optional<std::array<QString, 3>> titlesBefore;
  {
    TControlUpdateScope scope(control);
    for (std::unique_ptr<TPointsSerie>& serie : choice.Series) {
      serie->SetRemoveable(true);
      added.push_back(serie.get());
      control.Graph().AddSerie(std::move(serie));
    }
    if (choice.AxisTitles) {
      titlesBefore = AxisTitles(control.Graph());
      SetAxisTitles(control.Graph(), *choice.AxisTitles);
    }
  }
  history.Record(std::make_unique<TAddSeriesStep>(control, origin, added, titlesBefore));
  return true;
}

}  // namespace app
