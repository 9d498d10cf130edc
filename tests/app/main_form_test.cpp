#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDesktopServices>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include "app/auto_hint_form.h"
#include "app/export_options_form.h"
#include "main_window_fixture.h"
#include "model/points_serie.h"

namespace {

// Chooses a file in the file dialog: the type, then the name, then accept.
void ChooseFile(QWidget* modal, const QString& path, int filterIndex = -1) {
  auto* dialog = qobject_cast<QFileDialog*>(modal);
  ASSERT_NE(dialog, nullptr);
  if (filterIndex >= 0) dialog->selectNameFilter(dialog->nameFilters().value(filterIndex));
  dialog->selectFile(path);
  QMetaObject::invokeMethod(dialog, "accept");
}

// Stands in for the desktop's viewer of local files while it lives.
class TFileViewer : public QObject {
  Q_OBJECT

 public:
  TFileViewer() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
  ~TFileViewer() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  QList<QUrl> Opened;

 public slots:
  void Open(const QUrl& url) { Opened.append(url); }
};

void PressButton(QWidget* modal, QMessageBox::StandardButton button, QString* text = nullptr) {
  auto* box = qobject_cast<QMessageBox*>(modal);
  ASSERT_NE(box, nullptr);
  if (text) *text = box->text();
  box->button(button)->click();
}

TEST(MainForm, CaptionNamesTheProgramAndTheDocumentInTheCurrentLanguage) {
  TMainWindowFixture f;
  const struct {
    int Language;
    const char* Caption;
  } cases[] = {{i18n::lnNative, "Diagramme Varenta : unnamed file"},
               {i18n::lnEnglish, "Varenta diagram : unnamed file"},
               {i18n::lnFrench, "Diagramme Varenta : Fichier sans nom"},
               {i18n::lnNative, "Diagramme Varenta : unnamed file"}};
  for (const auto& c : cases) {
    f.Dictionary.SetLanguage(c.Language);
    EXPECT_EQ(f.Caption().toStdString(), c.Caption);
  }
}

TEST(MainForm, AddedSeriesAreNumberedByTheCountAndAnEmptyNameShowsTheIndex) {
  TMainWindowFixture f;
  for (int i = 0; i < 3; ++i) f.AddSerie("acAddPointsSerie");
  f.ClickRow(0);
  f.Find("acDeleteSerie")->trigger();
  f.AddSerie("acAddLinesSerie");
  const char* expected[][2] = {{"Serie # 2", "Points"}, {"Serie # 3", "Points"}, {"Serie # 3", "Droites"}};
  ASSERT_EQ(f.SeriesList().model()->rowCount(), 3);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(f.Cell(row, 0).toStdString(), expected[row][0]);
    EXPECT_EQ(f.Cell(row, 1).toStdString(), expected[row][1]);
  }
  EXPECT_FALSE(f.SeriesList().selectionModel()->hasSelection());
  f.Graph().GetSerie(1).SetName(QString());
  f.AddSerie("acAddSurfaceSerie");
  EXPECT_EQ(f.Cell(1, 0), QStringLiteral("1"));
  EXPECT_EQ(f.Cell(3, 1), QStringLiteral("Surface"));
}

TEST(MainForm, EditAndDeleteNeedASelectedSeriesInTheMenuAndThePopup) {
  TMainWindowFixture f;
  f.AddSerie("acAddPointsSerie");
  auto* popup = f.Find<QMenu>("pmSeries");
  QAction* edit = f.Find("acEditSerie");
  QAction* remove = f.Find("acDeleteSerie");
  ASSERT_TRUE(popup->actions().contains(remove));
  EXPECT_FALSE(edit->isEnabled());
  EXPECT_FALSE(remove->isEnabled());
  f.ClickRow(0);
  EXPECT_TRUE(edit->isEnabled());
  EXPECT_TRUE(remove->isEnabled());
  remove->trigger();
  EXPECT_EQ(f.Graph().SeriesCount(), 0);
  EXPECT_FALSE(remove->isEnabled());
}

TEST(MainForm, TheToolbarFollowsTheControlsModeAndSetsIt) {
  TMainWindowFixture f;
  TGraphControl& control = f.Window->GraphControl();
  EXPECT_TRUE(f.Find("tbNormalMode")->isChecked());
  control.SetInteractMode(imZoomIn);
  EXPECT_TRUE(f.Find("tbZoomIn")->isChecked());
  EXPECT_FALSE(f.Find("tbNormalMode")->isChecked());
  auto* toolbar = f.Find<QToolBar>("ToolBar1");
  QTest::mouseClick(toolbar->widgetForAction(f.Find("tbAddLineMode")), Qt::LeftButton);
  EXPECT_EQ(control.InteractMode(), imAddLine);
  const QList<QAction*> buttons = toolbar->actions();
  const char* order[] = {"tbNormalMode", "tbAddLineMode", "tbZoomIn", "tbZoomOut"};
  for (int mode = 0; mode < 4; ++mode) EXPECT_EQ(buttons[mode]->objectName().toStdString(), order[mode]);
}

TEST(MainForm, TheStatusBarShowsTheItemOrThePositionUnderTheMouse) {
  TMainWindowFixture f;
  auto serie = std::make_unique<TPointsSerie>();
  serie->SetName(QStringLiteral("S"));
  for (int i = 0; i < 4; ++i) serie->Items().Add({0.8, 0.1, 0.1});
  serie->Items().Add({0.2, 0.3, 0.5});
  TTernaryPointList& items = serie->Items();
  f.Graph().AddSerie(std::move(serie));
  TGraphControl& control = f.Window->GraphControl();
  QTest::mouseMove(&control, f.ClientPointOf({0.2, 0.3, 0.5}));
  const QString overPoint = f.Window->statusBar()->currentMessage();
  EXPECT_EQ(overPoint.toStdString(), "Serie : \"S\" [4] Point : (0.2, 0.3, 0.5)");
  // An item's value follows, named in the user's language in the status bar and the hint.
  items.PutValue(4, 12.5);
  for (const auto& [language, label] : {std::pair{i18n::lnEnglish, "Value"}, std::pair{i18n::lnFrench, "Valeur"}}) {
    f.Dictionary.SetLanguage(language);
    QTest::mouseMove(&control, f.ClientPointOf({0.8, 0.1, 0.1}));
    QTest::mouseMove(&control, f.ClientPointOf({0.2, 0.3, 0.5}));
    const std::string suffix = std::string(" ") + label + " : 12.5";
    EXPECT_EQ(f.Window->statusBar()->currentMessage().toStdString(), overPoint.toStdString() + suffix);
    EXPECT_TRUE(control.Hint().endsWith(QString::fromStdString(suffix))) << control.Hint().toStdString();
  }
  QTest::mouseMove(&control, f.ClientPointOf({1.0 / 3, 1.0 / 3, 1.0 / 3}));
  // Six significant digits of a composition within a pixel of the centre.
  const QRegularExpression centre(QStringLiteral(R"(^\(0\.33\d{4}, 0\.33\d{4}, 0\.33\d{4}\)$)"));
  EXPECT_TRUE(centre.match(f.Window->statusBar()->currentMessage()).hasMatch())
      << f.Window->statusBar()->currentMessage().toStdString();
}

constexpr int kPngFilter = 7;

// Exports through the window: the file dialog chooses `path` as a PNG, then
// `setOptions` fills the export options before they are accepted.
void ExportPicture(TMainWindowFixture& f, const QString& path,
                   const std::function<void(TExportOptionsForm&)>& setOptions = {}) {
  AnswerNextModal([&](QWidget* modal) {
    ChooseFile(modal, path, kPngFilter);
    AnswerNextModal([&](QWidget* options) {
      auto* form = qobject_cast<TExportOptionsForm*>(options);
      ASSERT_NE(form, nullptr);
      if (setOptions) setOptions(*form);
      form->accept();
    });
  });
  f.Find("miExport")->trigger();
}

TEST(MainForm, ExportAppendsTheFiltersExtensionOnlyToANameWithout) {
  QTemporaryDir folder;
  const struct {
    const char* Typed;
    const char* Written;
  } cases[] = {{"plot", "plot.png"}, {"plot.txt", "plot.txt"}};
  for (const auto& c : cases) {
    TMainWindowFixture f;
    ExportPicture(f, folder.filePath(QString::fromLatin1(c.Typed)));
    QImageReader written(folder.filePath(QString::fromLatin1(c.Written)));
    EXPECT_EQ(written.format().toStdString(), "png") << c.Typed;
  }
}

TEST(MainForm, ExportOptionsSetThePicturesSizeAndResolutionAndAreKeptForTheNextExport) {
  QTemporaryDir folder;
  TMainWindowFixture f;
  const QSize window = f.Window->GraphControl().size();
  const QString plain = folder.filePath(QStringLiteral("plain.png"));
  const QString direct = folder.filePath(QStringLiteral("direct.png"));
  ExportPicture(f, plain);  // options untouched: the export of today
  ASSERT_TRUE(f.Window->GraphControl().Export(direct, kPngFilter));
  EXPECT_EQ(QImage(plain), QImage(direct));

  const QString print = folder.filePath(QStringLiteral("print.png"));
  ExportPicture(f, print, [](TExportOptionsForm& form) {
    form.findChild<QComboBox*>(QStringLiteral("cbUnit"))->setCurrentIndex(1);  // mm
    form.findChild<QDoubleSpinBox*>(QStringLiteral("edtWidth"))->setValue(84);
    form.findChild<QDoubleSpinBox*>(QStringLiteral("edtHeight"))->setValue(70);
    form.findChild<QSpinBox*>(QStringLiteral("edtDpi"))->setValue(600);
  });
  const QImage written = QImageReader(print).read();
  EXPECT_EQ(written.size(), QSize(1984, 1654));
  EXPECT_NEAR(written.dotsPerMeterX() * 0.0254, 600, 0.01);
  EXPECT_EQ(f.Window->GraphControl().size(), window);

  ExportPicture(f, folder.filePath(QStringLiteral("again.png")), [](TExportOptionsForm& form) {
    EXPECT_EQ(form.findChild<QComboBox*>(QStringLiteral("cbUnit"))->currentIndex(), 1);
    EXPECT_EQ(form.findChild<QDoubleSpinBox*>(QStringLiteral("edtWidth"))->value(), 84);
    EXPECT_EQ(form.findChild<QSpinBox*>(QStringLiteral("edtDpi"))->value(), 600);
  });
}

TEST(MainForm, ExportAfterOpeningProposesTheDocumentsNameInItsFolder) {
  QTemporaryDir folder;
  const QString document = folder.filePath(QStringLiteral("a.xml"));
  TMainWindowFixture f;
  f.Window->GraphControl().SaveToFile(document);
  f.Window->OpenDocument(document);
  EXPECT_EQ(f.Window->FileName(), document);
  QStringList proposed;
  AnswerNextModal([&](QWidget* modal) {
    proposed = qobject_cast<QFileDialog*>(modal)->selectedFiles();
    qobject_cast<QDialog*>(modal)->reject();
  });
  f.Find("miExport")->trigger();
  EXPECT_EQ(proposed, QStringList{folder.filePath(QStringLiteral("a"))});
}

TEST(MainForm, SaveOfANewDocumentAsksForANameAndKeepsIt) {
  QTemporaryDir folder;
  TMainWindowFixture f;
  f.AddSerie("acAddPointsSerie");
  EXPECT_TRUE(f.Window->isWindowModified());
  const QString path = folder.filePath(QStringLiteral("saved.xml"));
  AnswerNextModal([&](QWidget* modal) { ChooseFile(modal, path); });
  EXPECT_EQ(f.Find("miSave")->shortcut(), QKeySequence(QKeySequence::Save));
  f.Find("miSave")->trigger();
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_EQ(f.Window->FileName(), path);
  EXPECT_EQ(f.Caption(), QStringLiteral("Diagramme Varenta : saved.xml"));
  EXPECT_FALSE(f.Window->isWindowModified());
}

// A file `name` in `folder` holding `content`.
QString FileHolding(const QTemporaryDir& folder, const char* name, const char* content) {
  const QString path = folder.filePath(QString::fromLatin1(name));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name;
  file.write(content);
  return path;
}

TEST(MainForm, AFailedOpenIsShownAndKeepsTheCaptionAndTheDiagram) {
  QTemporaryDir folder;
  const QString broken = FileHolding(folder, "broken.xml", "<GraphControl><Graph>");
  TMainWindowFixture f;
  f.AddSerie("acAddPointsSerie");
  QString message;
  // The document is modified: the question comes first, then the error.
  AnswerNextModal([&](QWidget* question) {
    PressButton(question, QMessageBox::Discard);
    AnswerNextModal([&](QWidget* error) { PressButton(error, QMessageBox::Ok, &message); });
  });
  f.Window->OpenDocument(broken);
  EXPECT_TRUE(message.contains(QStringLiteral("broken.xml"))) << message.toStdString();
  EXPECT_EQ(f.Caption(), QStringLiteral("Diagramme Varenta : unnamed file"));
  EXPECT_EQ(f.SeriesList().model()->rowCount(), 1);
}

TEST(MainForm, AFileHoldingNoDiagramIsOpenedWithAWarning) {
  QTemporaryDir folder;
  const QString foreign = FileHolding(folder, "page.xml", "<html><body/></html>");
  TMainWindowFixture f;
  QString warning;
  AnswerNextModal([&](QWidget* modal) { PressButton(modal, QMessageBox::Ok, &warning); });
  f.Window->OpenDocument(foreign);
  EXPECT_TRUE(warning.contains(QStringLiteral("page.xml")) && warning.contains(QStringLiteral("html")))
      << warning.toStdString();
  EXPECT_EQ(f.Window->FileName(), foreign);
}

TEST(MainForm, UnsavedChangesAreAskedAboutAndCancelKeepsThem) {
  TMainWindowFixture f;
  f.AddSerie("acAddPointsSerie");
  const struct {
    QMessageBox::StandardButton Answer;
    int SeriesLeft;
  } cases[] = {{QMessageBox::Cancel, 1}, {QMessageBox::Discard, 0}};
  for (const auto& c : cases) {
    QString question;
    AnswerNextModal([&](QWidget* modal) { PressButton(modal, c.Answer, &question); });
    f.Find("miNew")->trigger();
    EXPECT_FALSE(question.isEmpty());
    EXPECT_EQ(f.Graph().SeriesCount(), c.SeriesLeft);
  }
  EXPECT_FALSE(f.Window->isWindowModified());
  f.Window->GraphControl().ZoomInAt(50, 50, TGraphControl::kCoarseStep);
  EXPECT_FALSE(f.Window->isWindowModified());
}

TEST(MainForm, LanguageChangesEveryTextOfTheOpenWindows) {
  TMainWindowFixture f;
  f.AddSerie("acAddLinesSerie");
  f.Window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.Window.get()));
  auto* exportDialog = f.Find<QFileDialog>("SaveDialog1");
  auto* language = f.Find<QMenu>("miLanguage");
  const struct {
    const char* Item;
    int Language;
    const char* Open;
    const char* ZoomIn;
    const char* Filter;
    const char* LinesType;
    const char* HintStart;
    const char* Identification;
    bool EnglishChecked, FrenchChecked;
  } cases[] = {
      {"miFrench", i18n::lnFrench, "Ouvrir...", "Zoom avant", "Image png (*.png)", "Droites",
       "Série : ", "Identification", false, true},
      {"miEnglish", i18n::lnEnglish, "Open...", "Zoom in", "Png image (*.png)", "Lines", "Series : ", "Identification",
       true, false},
  };
  for (const auto& c : cases) {
    f.Find(c.Item)->trigger();
    EXPECT_EQ(f.Dictionary.Language(), c.Language);
    EXPECT_EQ(f.Find("miOpen")->text().toStdString(), c.Open);
    EXPECT_EQ(f.Find("tbZoomIn")->text().toStdString(), c.ZoomIn);
    EXPECT_EQ(exportDialog->nameFilters().value(7).toStdString(), c.Filter);
    EXPECT_EQ(f.Cell(0, 1).toStdString(), c.LinesType);
    EXPECT_TRUE(f.Window->GraphControl().AutoHintFormatString().startsWith(QString::fromUtf8(c.HintStart)));
    ASSERT_NE(f.Window->AutoHintForm(), nullptr);
    EXPECT_EQ(f.Window->AutoHintForm()->windowTitle().toStdString(), c.Identification);
    emit language->aboutToShow();
    EXPECT_EQ(f.Find("miEnglish")->isChecked(), c.EnglishChecked);
    EXPECT_EQ(f.Find("miFrench")->isChecked(), c.FrenchChecked);
  }
  EXPECT_EQ(f.Find("acHelp")->text(), QStringLiteral("View help..."));
  EXPECT_EQ(f.Find("miMirror")->text(), QStringLiteral("Exchange left and right axes"));
  f.Dictionary.SetLanguage(i18n::lnNative);
  emit language->aboutToShow();
  EXPECT_FALSE(f.Find("miEnglish")->isChecked() || f.Find("miFrench")->isChecked());
  EXPECT_EQ(f.Find("miMirror")->text(), QStringLiteral("Miroir horizontal"));
}

TEST(MainForm, TheIdentificationWindowShowsTheHintBesideTheWindow) {
  TMainWindowFixture f;
  f.Window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.Window.get()));
  TAutoHintForm* hint = f.Window->AutoHintForm();
  ASSERT_NE(hint, nullptr);
  EXPECT_FALSE(hint->isVisible());
  EXPECT_EQ(hint->x(), f.Window->frameGeometry().left() + f.Window->frameGeometry().width());
  QAction* toggle = f.Find("miAutoHintForm");
  toggle->trigger();
  EXPECT_TRUE(hint->isVisible());
  EXPECT_TRUE(toggle->isChecked());
  auto serie = std::make_unique<TPointsSerie>();
  serie->SetName(QStringLiteral("Granite"));
  serie->Items().Add({0.2, 0.3, 0.5});
  f.Graph().AddSerie(std::move(serie));
  QTest::mouseMove(&f.Window->GraphControl(), f.ClientPointOf({0.2, 0.3, 0.5}));
  QApplication::processEvents();
  EXPECT_TRUE(hint->Text().contains(QStringLiteral("Granite"))) << hint->Text().toStdString();
  hint->close();
  QApplication::processEvents();
  EXPECT_FALSE(toggle->isChecked());
}

TEST(MainForm, HelpNeedsTheManualBesideTheProgramAndFindsOneInstalledWhileItRuns) {
  const auto anyCommand = [](TMainWindowFixture& f) {
    f.AddSerie("acAddPointsSerie");
    QApplication::processEvents();
  };
  const auto clickHelpInItsMenu = [](TMainWindowFixture& f) {
    auto* help = f.Find<QMenu>("miHelp");
    QMenuBar* bar = f.Window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    QTest::mouseClick(help, Qt::LeftButton, {}, help->actionGeometry(f.Find("acHelp")).center());
  };
  const auto pressF1 = [](TMainWindowFixture& f) { QTest::keyClick(f.Window.get(), Qt::Key_F1); };
  const struct {
    const char* Way;
    std::function<void(TMainWindowFixture&)> AskForHelp;
    int Opened;
  } cases[] = {{"any command", anyCommand, 0}, {"menu", clickHelpInItsMenu, 1}, {"F1", pressF1, 1}};
  for (const auto& c : cases) {
    QTemporaryDir folder;
    TMainWindowFixture f;
    f.Window->SetProgramFolder(folder.path());
    anyCommand(f);
    ASSERT_FALSE(f.Find("acHelp")->isEnabled()) << c.Way;
    f.Window->activateWindow();  // shortcuts and menus go to the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.Window.get()));
    QFile manual(folder.filePath(QStringLiteral("Quellar Varenta Diagram User's Manual.pdf")));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();
    TFileViewer viewer;
    c.AskForHelp(f);
    EXPECT_TRUE(f.Find("acHelp")->isEnabled()) << c.Way;
    EXPECT_EQ(viewer.Opened, QList<QUrl>(c.Opened, QUrl::fromLocalFile(manual.fileName()))) << c.Way;
    f.Dictionary.SetLanguage(i18n::lnFrench);
    EXPECT_TRUE(f.Window->ManualPath().endsWith(QStringLiteral("Manuel utilisateur de Quellar Varenta Diagram.pdf")));
    EXPECT_FALSE(f.Find("acHelp")->isEnabled()) << c.Way;
  }
}

TEST(Program, WithoutADisplayItSaysSoInOneLineAndExitsWithOne) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    environment.remove(QString::fromLatin1(name));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(VARENTA_EXECUTABLE), {});
  ASSERT_TRUE(process.waitForFinished(20000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 1);
  const QString error = QString::fromUtf8(process.readAllStandardError());
  EXPECT_EQ(error.count(QLatin1Char('\n')), 1) << error.toStdString();
  EXPECT_TRUE(error.contains(QStringLiteral("--export"))) << error.toStdString();
}

}  // namespace

#include "main_form_test.moc"
