#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <QUndoStack>
#include <memory>
#include <optional>

#include "app/annotation_editing.h"
#include "app/diagram_history.h"
#include "app/export_options_form.h"
#include "control/graph_control.h"

class QAction;
class QActionGroup;
class QFileDialog;
class QLabel;
class QMenu;
class QPrinter;
class QSplitter;
class QToolBar;
class QTreeView;
class TAutoHintForm;
class TSeriesListModel;

namespace i18n {
class TDictionary;
}
namespace app {
class TRecoveryCopy;
}

// The program's window: a diagram with the list of its series, the file,
// clipboard, series and view commands, the interaction-mode toolbar, the
// composition under the mouse in the status bar and the identification
// window, and the language menu. It holds no diagram data of its own: every
// command forwards to the graph control or its graph.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(i18n::TDictionary& dictionary, QWidget* parent = nullptr);
  ~TMainForm() override;

  TGraphControl& GraphControl() const { return *GraphControl1; }
  // The full path of the current document; empty while it has no file.
  const QString& FileName() const { return m_fileName; }
  // The identification window; absent until the window is first activated.
  TAutoHintForm* AutoHintForm() const { return m_autoHintForm; }
  // Where the user's manuals are looked for: the program's folder, then the
  // installed data folder (see app/manual_location.h).
  void SetProgramFolder(const QString& folder) { m_programFolder = folder; }
  QString ManualPath() const;

  // Opens a document as the open command does, without the file dialog
  // (a document named on the command line or dropped on the window).
  void OpenDocument(const QString& fileName);
  // Imports a data file into the diagram through the import dialog, as the
  // import command does after its file dialog (a data file dropped on the window).
  void ImportData(const QString& fileName);

  // The undo history of the document and its stack.
  TDiagramHistory& History() { return m_history; }
  QUndoStack& UndoStack() { return m_history.Stack(); }
  app::TAnnotationEditing& AnnotationEditing() { return *m_annotationEditing; }

  // Offers, one by one, the recovery copies that an earlier run left behind
  // (see app/recovery_copy.h) until one is restored; each is restored,
  // discarded or kept for later as the user answers.
  void OfferRecovery();

 protected:
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreateModeActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateSeriesPanel();
  void CreateDialogs();
  void ConnectControl();
  void RetranslateUi();
  void RetranslateExportFilters();

  // File commands.
  void NewClick();
  void OpenClick();
  void ImportClick();
  bool SaveClick();
  bool SaveAs();
  void ExportClick();
  // Asks the picture's size and resolution; nothing when the user cancels.
  std::optional<control::TPictureSize> AskExportPicture(bool raster);
  void PrintClick();
  // Both return false when the user cancels; a failure throws.
  bool LoadDocument(const QString& fileName);
  bool SaveDocument(const QString& fileName);
  // Asks whether to save a modified document; false when the user cancels.
  bool MaybeSave();
  void SetFileName(const QString& fileName);

  // Series and view commands.
  void AddSerie(const char* className, QAction& origin);
  void EditSerie();
  void DeleteSerie();
  int SelectedSerieIndex() const;
  void RebuildSeriesList();
  void EditGraphProperties();
  void ChangeBackgroundColor();
  void ToggleProjectionMode();
  void ToggleAutoHintForm();
  void ToggleLegend();
  void ShowHelp();
  void SetLanguage(int language);
  void UpdateLanguageChecks();

  // Handlers of the control's events.
  void InteractModeChange();
  void GraphMouseMove(const QPoint& position);

  // Qt has no idle event: what the window shows of its state (caption,
  // identification window, enabled commands) is refreshed once the events
  // of the moment are handled.
  void ScheduleRefresh();
  void RefreshWindowState();
  // Help is enabled exactly when the manual exists; returns whether it does.
  // Besides the refresh, it is evaluated whenever the user may ask for help
  // (the Help menu, the logo, the key of Help), so that a manual installed
  // while the program runs is found at once.
  bool UpdateHelpCommand();
  void CreateAutoHintForm();

  i18n::TDictionary& m_dictionary;
  QString m_fileName;
  QString m_programFolder;
  QString m_lastExportName;
  // The picture options of the last export of the session, once the user has changed them.
  std::optional<TExportOptions> m_exportOptions;
  TAutoHintForm* m_autoHintForm = nullptr;  // a tool window owned by this one
  bool m_activated = false;
  QTimer m_refreshTimer;
  // Declared before the history, which tells it of its last change while
  // it is destroyed.
  std::unique_ptr<app::TRecoveryCopy> m_recovery;
  // Its actions name steps of the history: declared before the history, so
  // that they outlive the steps.
  std::unique_ptr<app::TAnnotationEditing> m_annotationEditing;
  TDiagramHistory m_history;
  // Kept between prints, so that the print dialog remembers its choices.
  std::unique_ptr<QPrinter> m_printer;

  TGraphControl* GraphControl1 = nullptr;  // the diagram
  QSplitter* Splitter1 = nullptr;          // between the series panel and the diagram
  QWidget* pnlLeft = nullptr;              // the series panel: the list above the logo
  QTreeView* lvSeries = nullptr;
  std::unique_ptr<TSeriesListModel> m_seriesList;
  QLabel* imgLogo = nullptr;     // opens the user's manual when clicked
  QToolBar* ToolBar1 = nullptr;  // the interaction modes

  QMenu* miFile = nullptr;
  QMenu* Edit1 = nullptr;
  QMenu* Visualisation1 = nullptr;  // the View menu
  QMenu* miLanguage = nullptr;
  QMenu* miHelp = nullptr;
  QMenu* pmGraph = nullptr;   // the diagram's popup
  QMenu* pmSeries = nullptr;  // the series list's popup

  QAction* miNew = nullptr;
  QAction* miOpen = nullptr;
  QAction* miImport = nullptr;  // a data file's columns as series
  QAction* miSave = nullptr;
  QAction* miSaveAs = nullptr;
  QAction* miExport = nullptr;
  QAction* miPrint = nullptr;
  QAction* miQuit = nullptr;
  QAction* miCopyToClipboard = nullptr;  // copies the image
  QAction* miCopySeries = nullptr;       // copies the series' values as text
  QAction* acAddPointsSerie = nullptr;
  QAction* acAddLinesSerie = nullptr;
  QAction* acAddSurfaceSerie = nullptr;
  QAction* acEditSerie = nullptr;
  QAction* acDeleteSerie = nullptr;
  QAction* Propritsvisuellesdugraphe1 = nullptr;  // opens the graph properties dialog
  QAction* Changerlacouleurdefond1 = nullptr;     // the control's background colour
  QAction* FitToBounds1 = nullptr;
  QAction* miMirror = nullptr;
  QAction* miRotateRight = nullptr;
  QAction* miRotateLeft = nullptr;
  QAction* miProjectionMode = nullptr;
  QAction* miAutoHintForm = nullptr;  // shows or hides the identification window
  QAction* miLegend = nullptr;        // shows or hides the diagram's legend
  QAction* miEnglish = nullptr;
  QAction* miFrench = nullptr;
  QAction* acHelp = nullptr;
  QActionGroup* m_modeGroup = nullptr;
  QAction* tbNormalMode = nullptr;   // moves the diagram
  QAction* tbAddLineMode = nullptr;  // draws a line with the mouse
  QAction* tbZoomIn = nullptr;
  QAction* tbZoomOut = nullptr;
  QAction* tbAddTextMode = nullptr;  // places a free text with the mouse

  QFileDialog* OpenDialog1 = nullptr;
  QFileDialog* SaveDialog2 = nullptr;  // save as
  QFileDialog* SaveDialog1 = nullptr;  // export
};
