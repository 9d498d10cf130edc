// The commands of the main window: files, series, view, language and help.
#include <QActionGroup>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTreeView>
#include <QUrl>
#include <stdexcept>

#include "app/auto_hint_form.h"
#include "app/command_guard.h"
#include "app/graph_control_editor_form.h"
#include "app/import_form.h"
#include "app/main_form.h"
#include "app/manual_location.h"
#include "app/progress_run.h"
#include "app/recovery_copy.h"
#include "app/serie_values_form.h"
#include "app/series_list_model.h"
#include "app/status_text.h"
#include "app/undo_steps.h"
#include "control/auto_hint.h"
#include "control/export_formats.h"
#include "control/graph_export.h"
#include "control/load_report.h"
#include "geometry/graphics.h"
#include "i18n/dictionary.h"
#include "model/serie_factory.h"

QString TMainForm::ManualPath() const {
  return app::LocateManual(m_programFolder,
                           i18n::Lookup(QT_TRANSLATE_NOOP("Program", "Quellar Varenta Diagram User's Manual.pdf")));
}

void TMainForm::SetFileName(const QString& fileName) {
  m_fileName = fileName;
  m_recovery->SetDocument(fileName);
  RefreshWindowState();
}

bool TMainForm::MaybeSave() {
  if (!isWindowModified()) return true;
  QMessageBox question(QMessageBox::Warning, i18n::Lookup(QT_TRANSLATE_NOOP("Program", "Diagramme Varenta")),
                       tr("Le document a été modifié.\nVoulez-vous enregistrer les modifications ?"),
                       QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  question.setObjectName(QStringLiteral("UnsavedChangesBox"));
  question.setDefaultButton(QMessageBox::Save);
  switch (question.exec()) {
    case QMessageBox::Save: {
      bool saved = false;
      app::RunCommand(this, [this, &saved] { saved = SaveClick(); });
      return saved;
    }
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

void TMainForm::NewClick() {
  if (!MaybeSave()) return;
  SetFileName(QString());
  GraphControl1->NewDiagram();
  m_history.Clear();
  RebuildSeriesList();
}

void TMainForm::OpenClick() {
  if (!MaybeSave()) return;
  if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) return;
  // The area under the closed dialog repaints before the load begins.
  QCoreApplication::processEvents();
  LoadDocument(OpenDialog1->selectedFiles().constFirst());
}

void TMainForm::ImportClick() {
  const QString fileName = QFileDialog::getOpenFileName(this, tr("Importer des données"), QString(),
                                                        tr("Fichiers de données (*.csv *.tsv *.txt *.xlsx *.ods)"));
  if (fileName.isEmpty()) return;
  if (app::ImportDataFile(this, *GraphControl1, m_history, *miImport, fileName)) RebuildSeriesList();
}

void TMainForm::ImportData(const QString& fileName) {
  app::RunCommand(this, [this, &fileName] {
    if (app::ImportDataFile(this, *GraphControl1, m_history, *miImport, fileName)) RebuildSeriesList();
  });
  ScheduleRefresh();
}

void TMainForm::OpenDocument(const QString& fileName) {
  app::RunCommand(this, [this, &fileName] {
    if (MaybeSave()) LoadDocument(fileName);
  });
}

bool TMainForm::LoadDocument(const QString& fileName) {
  {
    // Whether the load succeeds or fails, the list shows whatever the
    // control holds; a failure keeps the old name.
    const auto showDiagram = qScopeGuard([this] {
      RebuildSeriesList();
      GraphControl1->setVisible(true);
    });
    app::THourglass hourglass;
    // Cancelled, the diagram, its name and its history stay as they were.
    if (!app::RunWithProgress(this, app::TLongWork::Open, [&](const model::TProgress& progress) {
          GraphControl1->LoadFromFile(fileName, progress);
        }))
      return false;
  }
  SetFileName(fileName);
  m_history.Clear();
  // A file that is XML but not (all) a diagram loads leniently: say what was left out.
  const QStringList warnings = GraphControl1->LoadReport().Warnings(QFileInfo(fileName).fileName());
  if (!warnings.isEmpty())
    QMessageBox::warning(this, i18n::Lookup(QT_TRANSLATE_NOOP("Program", "Diagramme Varenta")),
                         warnings.join(QLatin1Char('\n')));
  return true;
}

bool TMainForm::SaveClick() {
  if (m_fileName.isEmpty()) return SaveAs();
  return SaveDocument(m_fileName);
}

bool TMainForm::SaveAs() {
  SaveDialog2->selectFile(m_fileName);
  if (SaveDialog2->exec() != QDialog::Accepted || SaveDialog2->selectedFiles().isEmpty()) return false;
  const QString fileName = SaveDialog2->selectedFiles().constFirst();
  if (!SaveDocument(fileName)) return false;
  SetFileName(fileName);
  return true;
}

bool TMainForm::SaveDocument(const QString& fileName) {
  app::THourglass hourglass;
  // Cancelled, the file on disk stays as it was and the document unsaved.
  if (!app::RunWithProgress(this, app::TLongWork::Save, [&](const model::TProgress& progress) {
        GraphControl1->SaveToFile(fileName, true, progress);
      }))
    return false;
  m_history.SetClean();
  return true;
}

void TMainForm::ExportClick() {
  if (!m_fileName.isEmpty()) {
    const QFileInfo document(m_fileName);
    SaveDialog1->setDirectory(document.absolutePath());
    SaveDialog1->selectFile(document.completeBaseName());
  } else {
    SaveDialog1->selectFile(m_lastExportName);
  }
  if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;
  app::THourglass hourglass;
  const int index = std::max(0, int(SaveDialog1->nameFilters().indexOf(SaveDialog1->selectedNameFilter())));
  QString fileName = SaveDialog1->selectedFiles().constFirst();
  // A name with an extension keeps it; the chosen filter still decides the format.
  if (QFileInfo(fileName).suffix().isEmpty()) {
    const std::string_view extension = control::kExportFormats[size_t(index)].Extension;
    fileName += QLatin1Char('.') + QString::fromLatin1(extension.data(), qsizetype(extension.size()));
  }
  m_lastExportName = fileName;
  const control::TExportKind kind = control::kExportFormats[size_t(index)].Kind;
  std::optional<control::TPictureSize> picture;
  if (kind != control::TExportKind::Text && kind != control::TExportKind::Document) {
    picture = AskExportPicture(kind == control::TExportKind::Raster);
    if (!picture) return;
  }
  bool written = true;
  if (!app::RunWithProgress(this, app::TLongWork::Export, [&](const model::TProgress& progress) {
        written = picture ? control::Export(*GraphControl1, fileName, index, *picture, progress)
                          : GraphControl1->Export(fileName, index, progress);
      }))
    return;
  if (!written)
    throw std::runtime_error(
        tr("Le fichier %1 n'a pas été écrit : aucun encodeur d'image n'est installé pour ce format.")
            .arg(fileName)
            .toStdString());
}

std::optional<control::TPictureSize> TMainForm::AskExportPicture(bool raster) {
  // Until the user changes them, the options follow the window's size.
  const TExportOptions start{control::TPictureSize::OfLayout(control::PictureSize(*GraphControl1))};
  TExportOptionsForm form(m_exportOptions.value_or(start), raster, this);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  const TExportOptions chosen = form.Options();
  if (chosen.Picture != start.Picture || chosen.Unit != start.Unit) m_exportOptions = chosen;
  return chosen.Picture;
}

void TMainForm::PrintClick() {
  if (!m_printer) m_printer = std::make_unique<QPrinter>();
  QPrintDialog dialog(m_printer.get(), this);
  dialog.setObjectName(QStringLiteral("PrintDialog1"));
  if (dialog.exec() != QDialog::Accepted) return;
  app::THourglass hourglass;
  app::RunWithProgress(this, app::TLongWork::Print,
                       [&](const model::TProgress& progress) { GraphControl1->Print(*m_printer, progress); });
}

void TMainForm::AddSerie(const char* className, QAction& origin) {
  std::unique_ptr<TGraphSerie> created = model::CreateSerie(className);
  TGraphSerie& serie = *created;
  serie.SetRemoveable(true);
  TGraph& graph = GraphControl1->Graph();
  graph.AddSerie(std::move(created));
  serie.SetName(i18n::Lookup(QT_TRANSLATE_NOOP("Program", "Serie # %d"))
                    .replace(QLatin1String("%d"), QString::number(graph.SeriesCount())));
  // Adding the series and typing its values are one step: the step keeps
  // the series object, values included. The series stays when its values
  // are cancelled.
  m_history.Record(std::make_unique<TAddSerieStep>(*GraphControl1, origin, serie));
  RebuildSeriesList();
  TSerieValuesForm(this).Execute(serie);
  RebuildSeriesList();
}

void TMainForm::EditSerie() {
  const int index = SelectedSerieIndex();
  if (index < 0) return;
  TGraphSerie& serie = GraphControl1->Graph().GetSerie(index);
  const QString nameBefore = serie.Name();
  std::vector<TTernaryPoint> pointsBefore;
  std::vector<TTernaryCouple> couplesBefore;
  std::vector<double> valuesBefore;
  TSerieValuesStep::CopyValues(serie, pointsBefore, couplesBefore, valuesBefore);
  if (TSerieValuesForm(this).Execute(serie))
    m_history.Record(std::make_unique<TSerieValuesStep>(*GraphControl1, *acEditSerie, serie, nameBefore,
                                                        std::move(pointsBefore), std::move(couplesBefore),
                                                        std::move(valuesBefore)));
  RebuildSeriesList();
}

void TMainForm::DeleteSerie() {
  const int index = SelectedSerieIndex();
  if (index < 0) return;
  std::unique_ptr<TGraphSerie> deleted = GraphControl1->Graph().RemoveSerie(index);
  m_history.Record(std::make_unique<TDeleteSerieStep>(*GraphControl1, *acDeleteSerie, index, std::move(deleted)));
  if (SelectedSerieIndex() >= 0) RebuildSeriesList();
}

int TMainForm::SelectedSerieIndex() const {
  const QModelIndexList rows = lvSeries->selectionModel()->selectedRows();
  if (rows.isEmpty()) return -1;
  return rows.constFirst().data(TSeriesListModel::kSerieIndexRole).toInt();
}

void TMainForm::RebuildSeriesList() {
  m_seriesList->Rebuild();
  RefreshWindowState();
}

void TMainForm::EditGraphProperties() {
  TGraphControlEditorForm dialog(*GraphControl1, this);
  // Every apply, by Apply or by Ok, is one step of the history.
  TPropertiesStep::TSnapshot before;
  dialog.OnBeforeApply = [this, &before] { before = TPropertiesStep::Take(*GraphControl1); };
  dialog.OnAfterApply = [this, &before] {
    auto step = std::make_unique<TPropertiesStep>(*GraphControl1, *Propritsvisuellesdugraphe1, std::move(before),
                                                  TPropertiesStep::Take(*GraphControl1));
    if (!step->IsEmpty()) m_history.Record(std::move(step));
  };
  dialog.Execute();
  RebuildSeriesList();
}

void TMainForm::ChangeBackgroundColor() {
  const QColor current = geometry::ColorFromArgb(geometry::ArgbFromToolkitColor(GraphControl1->Color()));
  const QColor chosen = QColorDialog::getColor(current, this);
  if (!chosen.isValid()) return;
  const uint32_t bgr = geometry::ToolkitColorFromColor(chosen);
  if (bgr == GraphControl1->Color()) return;
  const uint32_t before = GraphControl1->Color();
  TControlUpdateScope scope(*GraphControl1);
  GraphControl1->SetColor(bgr);
  m_history.Record(std::make_unique<TBackgroundColorStep>(*GraphControl1, *Changerlacouleurdefond1, before, bgr));
}

void TMainForm::ToggleProjectionMode() {
  app::THourglass hourglass;
  TControlUpdateScope scope(*GraphControl1);
  GraphControl1->ToggleProjectionMode();
  GraphControl1->FitToBounds();
}

void TMainForm::ToggleAutoHintForm() {
  CreateAutoHintForm();
  m_autoHintForm->setVisible(!m_autoHintForm->isVisible());
  RefreshWindowState();
}

void TMainForm::ShowHelp() {
  if (!UpdateHelpCommand()) return;
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(ManualPath())))
    throw std::runtime_error(
        i18n::Lookup(
            QT_TRANSLATE_NOOP("Program",
                              "Unable to load help file. If this problem persists, please reinstall this software."))
            .toStdString());
}

void TMainForm::SetLanguage(int language) {
  m_dictionary.SetLanguage(language);
  UpdateLanguageChecks();
}

void TMainForm::UpdateLanguageChecks() {
  miEnglish->setChecked(m_dictionary.Language() == i18n::lnEnglish);
  miFrench->setChecked(m_dictionary.Language() == i18n::lnFrench);
}

void TMainForm::InteractModeChange() {
  const QList<QAction*> buttons = m_modeGroup->actions();
  const int mode = GraphControl1->InteractMode();
  if (mode >= 0 && mode < buttons.size()) buttons[mode]->setChecked(true);
}

void TMainForm::GraphMouseMove(const QPoint& position) {
  QString text;
  try {
    TSerieHit hit;
    if (GraphControl1->HitTest(position.x(), position.y(), hit)) {
      text = app::SerieItemStatus(hit.Serie->Name(), hit.Index, hit.Item) +
             control::ItemValueSuffix(*hit.Serie, hit.Index, tr("Valeur"), QStringLiteral("%.3g"));
    } else if (const TGraphPointInfo info = GraphControl1->PointAt(position.x(), position.y()); info.Kind != 0) {
      text = app::PositionStatus(info.Point);
    }
  } catch (...) {
    // A mouse move is no command: a failed look-up leaves the status empty.
    text.clear();
  }
  statusBar()->showMessage(text);
  // The control computes its hint after this handler.
  ScheduleRefresh();
}
