#include <gtest/gtest.h>

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/export_options_form.h"
#include "main_window_fixture.h"
#include "model/points_serie.h"

namespace {

// The progress dialog shows at the first report, so that a small document
// can be cancelled.
struct TNoProgressDelay {
  TNoProgressDelay() { qputenv("VARENTA_PROGRESS_DELAY_MS", "0"); }
  ~TNoProgressDelay() { qunsetenv("VARENTA_PROGRESS_DELAY_MS"); }
};

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QByteArray DiagramText(TGraphControl& control) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  control.SaveToStream(buffer);
  return buffer.data();
}

void AddPoints(TGraph& graph, int count) {
  auto serie = std::make_unique<TPointsSerie>();
  for (int i = 0; i < count; ++i) serie->Items().Add({double(i % 7), double(i % 5), 1.0});
  graph.AddSerie(std::move(serie));
}

// Answers, as a user would, whatever the command shows on its way: the
// question about unsaved changes (Discard), the file or print dialog
// (`target`, printed as a PDF file), a picture's export options (as they
// are), and the progress dialog (a click on Cancel).
class TCancellingUser {
 public:
  TCancellingUser(QWidget& window, QString target, int filterIndex)
      : m_window(window), m_target(std::move(target)), m_filterIndex(filterIndex) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Answer(); });
    m_timer.start(0);
  }
  int Cancelled() const { return m_cancelled; }

 private:
  void Answer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) box->button(QMessageBox::Discard)->click();
    if (auto* files = qobject_cast<QFileDialog*>(modal)) {
      if (m_filterIndex >= 0) files->selectNameFilter(files->nameFilters().value(m_filterIndex));
      files->selectFile(m_target);
      QMetaObject::invokeMethod(files, "accept");
    }
    if (auto* options = qobject_cast<TExportOptionsForm*>(modal)) options->accept();  // a picture as it is
    if (auto* print = qobject_cast<QPrintDialog*>(modal)) {
      // The last printer of the list prints to a file.
      auto* printers = print->findChild<QComboBox*>(QStringLiteral("printers"));
      printers->setCurrentIndex(printers->count() - 1);
      print->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(m_target);
      QMetaObject::invokeMethod(print, "accept");
    }
    for (QProgressDialog* progress : m_window.findChildren<QProgressDialog*>())
      if (progress->objectName() == QLatin1String("ProgressDialog") && progress->isVisible() &&
          !progress->wasCanceled()) {
        QPushButton* cancel = progress->findChild<QPushButton*>();
        QTest::mouseClick(cancel, Qt::LeftButton);
        ++m_cancelled;
      }
  }

  QWidget& m_window;
  QString m_target;
  int m_filterIndex;
  QTimer m_timer;
  int m_cancelled = 0;
};

// Indexes in kExportFormats.
enum TExportIndex { kText = 0, kDocument, kEmf, kBmp, kJpeg, kGif, kTiff, kPng, kSvg, kPdf };

// Cancel leaves the diagram, its name, its history and every file as they
// were. The lists of the saved diagram are short, so that Cancel is heard
// as the file is written, with its temporary beside it; a picture or a text
// hears it between series, before it is written, a printout with its page half drawn.
TEST(ProgressRun, CancelLeavesTheDiagramAndTheFilesAsTheyWere) {
  const struct {
    const char* Command;
    const char* Target;
    int FilterIndex;
  } cases[] = {{"miSave", "", -1},
               {"miSaveAs", "other.xml", -1},
               {"miExport", "exported.txt", kText},
               {"miExport", "exported.xml", kDocument},
               {"miExport", "exported.emf", kEmf},
               {"miExport", "exported.bmp", kBmp},
               {"miExport", "exported.jpg", kJpeg},
               {"miExport", "exported.gif", kGif},
               {"miExport", "exported.tif", kTiff},
               {"miExport", "exported.png", kPng},
               {"miExport", "exported.svg", kSvg},
               {"miExport", "exported.pdf", kPdf},
               {"miPrint", "printed.pdf", -1},
               {"open", "big.xml", -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Command) + " " + c.Target);
    const TNoProgressDelay noDelay;
    QTemporaryDir folder;
    const QString document = folder.filePath(QStringLiteral("a.xml"));
    const QString target = folder.filePath(QString::fromLatin1(c.Target));
    TMainWindowFixture f;
    AddPoints(f.Graph(), 3);
    f.Window->GraphControl().SaveToFile(document);
    f.Window->OpenDocument(document);
    {
      TGraphControl other;
      AddPoints(other.Graph(), 2000);
      AddPoints(other.Graph(), 2000);
      other.SaveToFile(folder.filePath(QStringLiteral("big.xml")));
    }
    f.AddSerie("acAddPointsSerie");
    const QByteArray diagram = DiagramText(f.Window->GraphControl());
    const QByteArray onDisk = FileBytes(document);
    const QStringList files = QDir(folder.path()).entryList(QDir::Files);
    const QString caption = f.Caption();

    const TCancellingUser user(*f.Window, target, c.FilterIndex);
    if (QLatin1String(c.Command) == QLatin1String("open"))
      f.Window->OpenDocument(target);
    else
      f.Find(c.Command)->trigger();

    EXPECT_EQ(user.Cancelled(), 1);
    EXPECT_EQ(DiagramText(f.Window->GraphControl()), diagram);
    EXPECT_EQ(FileBytes(document), onDisk);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), files);  // no temporary left behind
    EXPECT_EQ(f.Caption(), caption);
    EXPECT_TRUE(f.Window->isWindowModified());
    EXPECT_EQ(f.Window->UndoStack().count(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // no message box for a cancel
  }
}

}  // namespace
