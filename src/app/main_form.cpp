#include "app/main_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <cassert>
#include <iterator>

#include "app/app_pictures.h"
#include "app/auto_hint_form.h"
#include "app/command_guard.h"
#include "app/recovery_copy.h"
#include "app/series_list_model.h"
#include "app/undo_steps.h"
#include "control/default_font.h"
#include "i18n/dictionary.h"
#include "import/data_file.h"

namespace {

// The window's sizes as it was designed, in pixels.
constexpr QSize kInitialSize(592, 505);
constexpr int kSeriesPanelWidth = 185;
constexpr int kLogoHeight = 74;
constexpr int kLogoMinimumWidth = 177;
constexpr QSize kLogoPictureSize(170, 57);

// A logo that opens the user's manual when clicked.
class TLogo : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> OnClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (OnClick && rect().contains(mapFromGlobal(QCursor::pos()))) OnClick();
  }
};

QAction* NewAction(QObject* owner, const char* name, const std::function<void()>& slot) {
  auto* action = new QAction(owner);
  action->setObjectName(QString::fromLatin1(name));
  QObject::connect(action, &QAction::triggered, owner, [slot] { slot(); });
  return action;
}

}  // namespace

TMainForm::TMainForm(i18n::TDictionary& dictionary, QWidget* parent)
    : QMainWindow(parent), m_dictionary(dictionary), m_programFolder(QCoreApplication::applicationDirPath()) {
  setObjectName(QStringLiteral("MainForm"));
  setFont(control::DefaultWindowFont());
  setWindowIcon(app::ProgramIcon());
  setAcceptDrops(true);
  resize(kInitialSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  GraphControl1 = new TGraphControl;
  GraphControl1->setObjectName(QStringLiteral("GraphControl1"));
  control::ApplyDefaultFont(*GraphControl1);
  GraphControl1->SetValueFormatString(QStringLiteral("%.3g"));

  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateSeriesPanel();
  CreateDialogs();
  ConnectControl();

  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->addWidget(pnlLeft);
  Splitter1->addWidget(GraphControl1);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({kSeriesPanelWidth, kInitialSize.width() - kSeriesPanelWidth});
  Splitter1->setChildrenCollapsible(false);
  setCentralWidget(Splitter1);
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));

  m_recovery = std::make_unique<app::TRecoveryCopy>(*GraphControl1);
  m_history.OnModifiedChange = [this](bool modified) {
    setWindowModified(modified);
    m_recovery->SetModified(modified);
  };

  // Sees every key before the shortcuts are matched against it (eventFilter).
  QCoreApplication::instance()->installEventFilter(this);

  m_refreshTimer.setSingleShot(true);
  m_refreshTimer.setInterval(0);
  connect(&m_refreshTimer, &QTimer::timeout, this, [this] { RefreshWindowState(); });

  RetranslateUi();
  RefreshWindowState();
}

TMainForm::~TMainForm() {
  // Freed here, while its handlers may still reach this window's members.
  delete m_autoHintForm;
  // The series freed with the control must not call back into this window.
  GraphControl1->OnSeriesChange = nullptr;
  GraphControl1->OnInteractModeChange = nullptr;
  GraphControl1->OnMouseMove = nullptr;
}

void TMainForm::CreateActions() {
  // Every command runs guarded: a failure shows its message and the program goes on.
  auto command = [this](const char* name, const std::function<void()>& body) {
    return NewAction(this, name, [this, body] {
      app::RunCommand(this, body);
      ScheduleRefresh();
    });
  };
  auto withHourglass = [](const std::function<void()>& body) {
    return [body] {
      app::THourglass hourglass;
      body();
    };
  };
  miNew = command("miNew", [this] { NewClick(); });
  miOpen = command("miOpen", [this] { OpenClick(); });
  miImport = command("miImport", [this] { ImportClick(); });
  miSave = command("miSave", [this] { SaveClick(); });
  miSaveAs = command("miSaveAs", [this] { SaveAs(); });
  miExport = command("miExport", [this] { ExportClick(); });
  miPrint = command("miPrint", [this] { PrintClick(); });
  miQuit = NewAction(this, "miQuit", [this] { close(); });
  miCopyToClipboard = command("miCopyToClipboard", withHourglass([this] { GraphControl1->CopyImageToClipboard(); }));
  miCopySeries = command("miCopySeries", withHourglass([this] { GraphControl1->CopyDataToClipboard(); }));
  acAddPointsSerie = command("acAddPointsSerie", [this] { AddSerie("TPointsSerie", *acAddPointsSerie); });
  acAddLinesSerie = command("acAddLinesSerie", [this] { AddSerie("TLinesSerie", *acAddLinesSerie); });
  acAddSurfaceSerie = command("acAddSurfaceSerie", [this] { AddSerie("TSurfaceSerie", *acAddSurfaceSerie); });
  acEditSerie = command("acEditSerie", [this] { EditSerie(); });
  acDeleteSerie = command("acDeleteSerie", [this] { DeleteSerie(); });
  Propritsvisuellesdugraphe1 = command("Propritsvisuellesdugraphe1", [this] { EditGraphProperties(); });
  Changerlacouleurdefond1 = command("Changerlacouleurdefond1", [this] { ChangeBackgroundColor(); });
  FitToBounds1 = command("FitToBounds1", withHourglass([this] { GraphControl1->FitToBounds(); }));
  auto turnCommand = [this, command, withHourglass](const char* name, QAction** created, TTurnStep::TTurn turn) {
    return command(name, withHourglass([this, created, turn] {
                     TTurnStep::Apply(*GraphControl1, turn);
                     m_history.Record(std::make_unique<TTurnStep>(*GraphControl1, **created, turn));
                   }));
  };
  miMirror = turnCommand("miMirror", &miMirror, TTurnStep::TTurn::Mirror);
  miRotateRight = turnCommand("miRotateRight", &miRotateRight, TTurnStep::TTurn::RotateRight);
  miRotateLeft = turnCommand("miRotateLeft", &miRotateLeft, TTurnStep::TTurn::RotateLeft);
  miProjectionMode = command("miProjectionMode", [this] { ToggleProjectionMode(); });
  miAutoHintForm = NewAction(this, "miAutoHintForm", [this] { ToggleAutoHintForm(); });
  miAutoHintForm->setCheckable(true);
  miLegend = command("miLegend", [this] { ToggleLegend(); });
  miLegend->setCheckable(true);
  miEnglish = NewAction(this, "miEnglish", [this] { SetLanguage(i18n::lnEnglish); });
  miFrench = NewAction(this, "miFrench", [this] { SetLanguage(i18n::lnFrench); });
  for (QAction* language : {miEnglish, miFrench}) language->setCheckable(true);
  acHelp = command("acHelp", [this] { ShowHelp(); });
  m_history.CreateActions(*this);

  miNew->setShortcut(QKeySequence::New);
  miOpen->setShortcut(QKeySequence::Open);
  miSave->setShortcut(QKeySequence::Save);
  miSaveAs->setShortcut(QKeySequence::SaveAs);
  miPrint->setShortcut(QKeySequence::Print);
  miQuit->setShortcut(QKeySequence::Quit);
  acHelp->setShortcut(Qt::Key_F1);
  acHelp->setShortcutContext(Qt::ApplicationShortcut);
  CreateModeActions();
}

void TMainForm::CreateModeActions() {
  // The modes in mode order: a button's position is its mode's number.
  m_modeGroup = new QActionGroup(this);
  m_modeGroup->setExclusive(true);
  const struct {
    const char* Name;
    TGraphInteractMode Mode;
    const char* Glyph;
  } modes[] = {{"tbNormalMode", imNormal, "normal_mode"},
               {"tbAddLineMode", imAddLine, "add_line_mode"},
               {"tbZoomIn", imZoomIn, "zoom_in"},
               {"tbZoomOut", imZoomOut, "zoom_out"},
               {"tbAddTextMode", imAddText, "add_text_mode"}};
  QAction** buttons[] = {&tbNormalMode, &tbAddLineMode, &tbZoomIn, &tbZoomOut, &tbAddTextMode};
  static_assert(std::size(modes) == std::size(buttons));
  for (int i = 0; i < int(std::size(modes)); ++i) {
    assert(modes[i].Mode == i);
    const TGraphInteractMode mode = modes[i].Mode;
    QAction* button = NewAction(this, modes[i].Name, [this, mode] { GraphControl1->SetInteractMode(mode); });
    button->setCheckable(true);
    button->setIcon(app::Glyph(modes[i].Glyph));
    m_modeGroup->addAction(button);
    *buttons[i] = button;
  }
  tbNormalMode->setChecked(true);
}

void TMainForm::CreateMenus() {
  auto menu = [this](const char* name) {
    auto* item = menuBar()->addMenu(QString());
    item->setObjectName(QString::fromLatin1(name));
    return item;
  };
  miFile = menu("miFile");
  miFile->addActions({miNew, miOpen, miSave, miSaveAs});
  miFile->addSeparator();
  miFile->addAction(miImport);
  miFile->addActions({miExport, miPrint});
  miFile->addSeparator();
  miFile->addAction(miQuit);

  Edit1 = menu("Edit1");
  Edit1->addActions({&m_history.UndoAction(), &m_history.RedoAction()});
  Edit1->addSeparator();
  Edit1->addActions({miCopyToClipboard, miCopySeries});
  Edit1->addSeparator();
  Edit1->addActions({acAddPointsSerie, acAddLinesSerie, acAddSurfaceSerie, acEditSerie, acDeleteSerie});
  Edit1->addSeparator();
  Edit1->addActions({Propritsvisuellesdugraphe1, Changerlacouleurdefond1});

  Visualisation1 = menu("Visualisation1");
  Visualisation1->addAction(FitToBounds1);
  Visualisation1->addSeparator();
  Visualisation1->addActions({miMirror, miRotateRight, miRotateLeft, miProjectionMode});
  Visualisation1->addSeparator();
  Visualisation1->addAction(miAutoHintForm);
  Visualisation1->addAction(miLegend);
  connect(Visualisation1, &QMenu::aboutToShow, this,
          [this] { miLegend->setChecked(GraphControl1->Legend().Visible()); });

  miLanguage = menu("miLanguage");
  miLanguage->addActions({miEnglish, miFrench});
  connect(miLanguage, &QMenu::aboutToShow, this, [this] { UpdateLanguageChecks(); });

  miHelp = menu("miHelp");
  miHelp->addAction(acHelp);
  connect(miHelp, &QMenu::aboutToShow, this, [this] { RefreshWindowState(); });

  pmGraph = new QMenu(this);
  pmGraph->setObjectName(QStringLiteral("pmGraph"));
  pmGraph->addActions({Propritsvisuellesdugraphe1, Changerlacouleurdefond1});

  pmSeries = new QMenu(this);
  pmSeries->setObjectName(QStringLiteral("pmSeries"));
  pmSeries->addActions({acAddPointsSerie, acAddLinesSerie, acAddSurfaceSerie, acDeleteSerie});
}

void TMainForm::CreateToolBar() {
  ToolBar1 = addToolBar(QString());
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->addActions(m_modeGroup->actions());
}

void TMainForm::CreateSeriesPanel() {
  pnlLeft = new QWidget;
  pnlLeft->setObjectName(QStringLiteral("pnlLeft"));
  pnlLeft->setAutoFillBackground(true);
  QPalette palette = pnlLeft->palette();
  palette.setColor(QPalette::Window, Qt::white);
  pnlLeft->setPalette(palette);
  pnlLeft->setMinimumWidth(kLogoMinimumWidth + 4);
  auto* layout = new QVBoxLayout(pnlLeft);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);

  m_seriesList = std::make_unique<TSeriesListModel>(GraphControl1->Graph());
  lvSeries = new QTreeView;
  lvSeries->setObjectName(QStringLiteral("lvSeries"));
  lvSeries->setModel(m_seriesList.get());
  lvSeries->setRootIsDecorated(false);
  lvSeries->setUniformRowHeights(true);
  lvSeries->setFrameShape(QFrame::NoFrame);
  lvSeries->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvSeries->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvSeries->setSelectionMode(QAbstractItemView::SingleSelection);
  lvSeries->setAllColumnsShowFocus(true);
  lvSeries->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  lvSeries->header()->setStretchLastSection(true);
  lvSeries->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lvSeries, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& position) { pmSeries->popup(lvSeries->viewport()->mapToGlobal(position)); });
  connect(lvSeries, &QAbstractItemView::doubleClicked, this, [this] { acEditSerie->trigger(); });
  connect(lvSeries->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { RefreshWindowState(); });
  layout->addWidget(lvSeries, 1);

  auto* logo = new TLogo;
  logo->setObjectName(QStringLiteral("imgLogo"));
  logo->setAlignment(Qt::AlignCenter);
  logo->setFixedHeight(kLogoHeight);
  logo->setMinimumWidth(kLogoMinimumWidth);
  logo->setCursor(Qt::PointingHandCursor);
  logo->setPixmap(app::Picture("logo", kLogoPictureSize, devicePixelRatioF()));
  logo->OnClick = [this] {
    // The logo opens the user's manual, when there is one.
    if (UpdateHelpCommand()) acHelp->trigger();
  };
  imgLogo = logo;
  layout->addWidget(imgLogo);
}

void TMainForm::CreateDialogs() {
  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setDefaultSuffix(QStringLiteral("xml"));

  SaveDialog2 = new QFileDialog(this);
  SaveDialog2->setObjectName(QStringLiteral("SaveDialog2"));
  SaveDialog2->setAcceptMode(QFileDialog::AcceptSave);
  SaveDialog2->setDefaultSuffix(QStringLiteral("xml"));

  SaveDialog1 = new QFileDialog(this);
  SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
}

void TMainForm::ConnectControl() {
  GraphControl1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(GraphControl1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& position) { pmGraph->popup(GraphControl1->mapToGlobal(position)); });
  GraphControl1->OnInteractModeChange = [this](TGraphControl*) { InteractModeChange(); };
  GraphControl1->OnSeriesChange = [this](TGraphControl*) { RebuildSeriesList(); };
  GraphControl1->OnUserLine = [this](TGraphControl*, TGraphSerie& line) {
    m_history.Record(std::make_unique<TAddSerieStep>(*GraphControl1, *tbAddLineMode, line));
  };
  GraphControl1->OnMouseMove = [this](TGraphControl*, const QPoint& position) { GraphMouseMove(position); };
  m_annotationEditing = std::make_unique<app::TAnnotationEditing>(
      *GraphControl1, *tbAddTextMode,
      [this](std::unique_ptr<TDiagramStep> step) { m_history.Record(std::move(step)); });
}

void TMainForm::RetranslateUi() {
  miFile->setTitle(tr("Fichier"));
  miNew->setText(tr("Nouveau"));
  miOpen->setText(tr("Ouvrir..."));
  miSave->setText(tr("Enregistrer"));
  miSaveAs->setText(tr("Enregistrer sous..."));
  miExport->setText(tr("Exporter..."));
  miImport->setText(tr("Importer des données..."));
  miPrint->setText(tr("Imprimer..."));
  miQuit->setText(tr("Quitter"));
  Edit1->setTitle(tr("Edition"));
  miCopyToClipboard->setText(tr("Copier l'image dans le presse-papier"));
  miCopySeries->setText(tr("Copier les données des séries dans le presse-papier"));
  acAddPointsSerie->setText(tr("Ajouter une série de type Points"));
  acAddLinesSerie->setText(tr("Ajouter une série de type Droites"));
  acAddSurfaceSerie->setText(tr("Ajouter une série de type Surface (points + remplissage)"));
  acEditSerie->setText(tr("Modifier la série..."));
  acDeleteSerie->setText(tr("Supprimer la série"));
  Propritsvisuellesdugraphe1->setText(tr("Propriétés visuelles du graphe..."));
  Changerlacouleurdefond1->setText(tr("Change background color..."));
  Visualisation1->setTitle(tr("Visualisation"));
  FitToBounds1->setText(tr("Ajuster le graphe à la fenêtre"));
  miMirror->setText(tr("Miroir horizontal"));
  miRotateRight->setText(tr("Rotation à droite"));
  miRotateLeft->setText(tr("Rotation à gauche"));
  miProjectionMode->setText(tr("Changer de mode de projection"));
  miAutoHintForm->setText(tr("Fenêtre d'identification"));
  miLegend->setText(tr("Légende"));
  miLanguage->setTitle(tr("Langue"));
  miEnglish->setText(tr("Anglais"));
  miFrench->setText(tr("Français"));
  miHelp->setTitle(tr("Help"));
  acHelp->setText(tr("View help..."));
  tbNormalMode->setText(tr("Mode normal (déplacement)"));
  tbAddLineMode->setText(tr("Tracer une droite"));
  tbZoomIn->setText(tr("Zoom avant"));
  tbZoomOut->setText(tr("Zoom arrière"));
  tbAddTextMode->setText(tr("Ajouter un texte"));
  if (m_annotationEditing) m_annotationEditing->RetranslateUi();
  imgLogo->setToolTip(tr("Cliquez ici pour ouvrir le manuel utilisateur."));
  ToolBar1->setWindowTitle(tr("Modes"));
  GraphControl1->SetAutoHintFormatString(tr(
      "Série : %SERIE.NAME%\r\nN° de point : %ITEM.INDEX%\r\nPoint : (A = %POINT.A%, B = %POINT.B%, C = %POINT.C%)"));
  GraphControl1->SetValueLabel(tr("Valeur"));

  const QString xmlFilter = tr("Fichiers xml (*.xml)");
  OpenDialog1->setNameFilter(xmlFilter);
  SaveDialog2->setNameFilter(xmlFilter);
  OpenDialog1->setWindowTitle(tr("Ouvrir"));
  SaveDialog2->setWindowTitle(tr("Enregistrer sous"));
  SaveDialog1->setWindowTitle(tr("Exporter"));
  RetranslateExportFilters();
  // After the commands' texts, which name the steps.
  m_history.Retranslate({tr("Annuler"), tr("Annuler :")}, {tr("Rétablir"), tr("Rétablir :")});
  UpdateLanguageChecks();
  m_seriesList->Rebuild();
  RefreshWindowState();
}

void TMainForm::RetranslateExportFilters() {
  // In the order of the export formats: the filter's index is the format's.
  const QStringList filters = {
      tr("Fichiers texte (*.txt)"), tr("Fichiers xml (*.xml)"), tr("Métafichier amélioré (*.emf)"),
      tr("Bitmap Windows (*.bmp)"), tr("Image jpeg (*.jpg)"),   tr("Image gif (*.gif)"),
      tr("Image tiff (*.tif)"),     tr("Image png (*.png)"),    tr("Image SVG (*.svg)"),
      tr("Document PDF (*.pdf)")};
  const int selected = std::max(0, int(SaveDialog1->nameFilters().indexOf(SaveDialog1->selectedNameFilter())));
  SaveDialog1->setNameFilters(filters);
  SaveDialog1->selectNameFilter(filters[selected]);
}

void TMainForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) RetranslateUi();
  QMainWindow::changeEvent(event);
}

bool TMainForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !m_activated) {
    m_activated = true;
    CreateAutoHintForm();
  }
  return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_autoHintForm && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) ScheduleRefresh();
  // A disabled command's shortcut is not matched: Help's rule is evaluated
  // while the key may still become its shortcut.
  if (event->type() == QEvent::ShortcutOverride &&
      QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()) == acHelp->shortcut())
    UpdateHelpCommand();
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (MaybeSave()) {
    // Saved or discarded: nothing is left to recover.
    m_recovery->SetModified(false);
    event->accept();
  } else {
    event->ignore();
  }
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && event->mimeData()->urls().first().isLocalFile()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QString fileName = event->mimeData()->urls().first().toLocalFile();
  event->acceptProposedAction();
  // The drop returns first: a message box from inside it would hold up the source.
  QTimer::singleShot(0, this, [this, fileName] {
    if (import::IsDataFile(fileName))
      ImportData(fileName);
    else
      OpenDocument(fileName);
  });
}

void TMainForm::ScheduleRefresh() { m_refreshTimer.start(); }

void TMainForm::RefreshWindowState() {
  const QString documentName = m_fileName.isEmpty() ? i18n::Lookup(QT_TRANSLATE_NOOP("Program", "unnamed file"))
                                                    : QFileInfo(m_fileName).fileName();
  setWindowTitle(i18n::Lookup(QT_TRANSLATE_NOOP("Program", "Diagramme Varenta")) + QStringLiteral(" : ") +
                 documentName + QStringLiteral("[*]"));
  if (m_autoHintForm) {
    m_autoHintForm->SetText(GraphControl1->Hint());
    miAutoHintForm->setChecked(m_autoHintForm->isVisible());
  }
  const bool selected = SelectedSerieIndex() >= 0;
  acEditSerie->setEnabled(selected);
  acDeleteSerie->setEnabled(selected);
  UpdateHelpCommand();
}

bool TMainForm::UpdateHelpCommand() {
  acHelp->setEnabled(QFileInfo::exists(ManualPath()));
  return acHelp->isEnabled();
}

void TMainForm::CreateAutoHintForm() {
  if (m_autoHintForm) return;
  m_autoHintForm = new TAutoHintForm(this);
  const QRect frame = frameGeometry();
  m_autoHintForm->move(frame.left() + frame.width(), frame.top());
  // Its own close box hides it: the menu's check mark follows.
  m_autoHintForm->installEventFilter(this);
  connect(m_autoHintForm, &QObject::destroyed, this, [this] { m_autoHintForm = nullptr; });
  RefreshWindowState();
}
