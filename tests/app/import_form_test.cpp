#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QUrl>

#include "app/data_import_run.h"
#include "main_window_fixture.h"
#include "model/points_serie.h"

namespace {

// Lines 3 and 5 lack a component; row 5 also breaks the default mapping.
constexpr char kSamples[] =
    "Site,Sand,Silt,Clay,Extra\n"
    "North,60,30,10,5\n"
    "North,50,30,20,\n"
    "South,40,40,20,7\n"
    "South,bad,30,20,3\n";

QString WriteFile(const QTemporaryDir& folder, const char* name, const QByteArray& bytes) {
  const QString path = folder.filePath(QString::fromLatin1(name));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

QString Counts(QWidget* dialog) { return dialog->findChild<QLabel*>("lblCounts")->text(); }

void DropFile(TMainWindowFixture& f, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  const QPoint centre = f.Window->rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(f.Window.get(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(f.Window.get(), &drop);
}

}  // namespace

using Titles = std::array<QString, 3>;

// File > Import data: the file dialog, then the import dialog driven with
// keys on its column lists; Ok adds the groups, with the mapped headers as
// axis titles, as one step that Undo takes back.
TEST(ImportForm, ImportsChosenColumnsAsOneUndoStep) {
  TMainWindowFixture f;
  QTemporaryDir folder;
  const QString path = WriteFile(folder, "samples.csv", kSamples);
  const int before = f.Graph().SeriesCount();
  const Titles titlesBefore = app::AxisTitles(f.Graph());
  std::vector<std::string> counts;
  AnswerNextModal([&](QWidget* files) {
    AnswerNextModal([&](QWidget* dialog) {
      EXPECT_EQ(dialog->findChild<QTableView*>("tvPreview")->model()->rowCount(), 4);
      EXPECT_EQ(dialog->findChild<QComboBox*>("cbDelimiter")->currentIndex(), 0);
      EXPECT_EQ(dialog->findChild<QComboBox*>("cbColumnC")->currentText(), "Clay");
      counts.push_back(Counts(dialog).toStdString());
      QTest::keyClick(dialog->findChild<QComboBox*>("cbColumnC"), Qt::Key_Down);  // Clay -> Extra
      counts.push_back(Counts(dialog).toStdString());
      QTest::keyClick(dialog->findChild<QComboBox*>("cbGroup"), Qt::Key_Down);  // (none) -> Site
      counts.push_back(Counts(dialog).toStdString());
      for (int down = 0; down < 4; ++down)  // (none) -> Clay
        QTest::keyClick(dialog->findChild<QComboBox*>("cbValue"), Qt::Key_Down);
      QTest::mouseClick(dialog->findChild<QCheckBox*>("chkTitles"), Qt::LeftButton);
      QTest::mouseClick(dialog->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    });
    qobject_cast<QFileDialog*>(files)->selectFile(path);
    QMetaObject::invokeMethod(files, "accept");
  });
  f.Find("miImport")->trigger();

  ASSERT_EQ(counts.size(), 3u);
  EXPECT_EQ(counts[0], "Lignes à importer : 3 ; séries : 1 ; ignorées : 1\nLignes ignorées : 5");
  EXPECT_EQ(counts[1], "Lignes à importer : 2 ; séries : 1 ; ignorées : 2\nLignes ignorées : 3, 5");
  EXPECT_EQ(counts[2], "Lignes à importer : 2 ; séries : 2 ; ignorées : 2\nLignes ignorées : 3, 5");
  ASSERT_EQ(f.Graph().SeriesCount(), before + 2);
  EXPECT_EQ(f.Cell(before, 0), "North");
  EXPECT_EQ(f.Cell(before + 1, 0), "South");
  // The value column, Clay, gives the points their values.
  EXPECT_EQ(static_cast<TPointsSerie&>(f.Graph().GetSerie(before)).Items().Value(0), 10.0);
  EXPECT_EQ(static_cast<TPointsSerie&>(f.Graph().GetSerie(before + 1)).Items().Value(0), 20.0);
  EXPECT_EQ(app::AxisTitles(f.Graph()), (Titles{"Sand", "Silt", "Extra"}));
  EXPECT_EQ(f.Window->UndoStack().count(), 1);
  f.Find("acUndo")->trigger();
  EXPECT_EQ(f.Graph().SeriesCount(), before);
  EXPECT_EQ(f.SeriesList().model()->rowCount(), before);
  EXPECT_EQ(app::AxisTitles(f.Graph()), titlesBefore);
  f.Find("acRedo")->trigger();
  EXPECT_EQ(f.Graph().SeriesCount(), before + 2);
  EXPECT_EQ(app::AxisTitles(f.Graph()), (Titles{"Sand", "Silt", "Extra"}));
}

// A data file dropped on the window is imported; a bad one is refused with
// a message and changes nothing; Cancel changes nothing either.
TEST(ImportForm, DroppedFiles) {
  TMainWindowFixture f;
  QTemporaryDir folder;
  const int before = f.Graph().SeriesCount();
  struct TCase {
    const char* Name;
    QByteArray Bytes;
    const char* Answer;  // the button clicked in the dialog that shows
    int Added;
  };
  const TCase cases[] = {
      {"cancelled.csv", kSamples, "btnCancel", 0},
      {"binary.csv", QByteArray("a,b,c\n\0\0\x01\x02\0", 11), nullptr, 0},
      {"texts.csv", "a,b,c\nx,y,z\n", nullptr, 0},
      {"samples.csv", kSamples, "btnOk", 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    bool answered = false;
    AnswerNextModal([&](QWidget* modal) {
      answered = true;
      if (c.Answer) {
        QTest::mouseClick(modal->findChild<QPushButton*>(c.Answer), Qt::LeftButton);
      } else {
        ASSERT_NE(qobject_cast<QMessageBox*>(modal), nullptr);
        EXPECT_TRUE(qobject_cast<QMessageBox*>(modal)->text().contains(QString::fromLatin1(c.Name)));
        qobject_cast<QMessageBox*>(modal)->accept();
      }
    });
    DropFile(f, WriteFile(folder, c.Name, c.Bytes));
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }));
    QApplication::processEvents();
    EXPECT_EQ(f.Graph().SeriesCount(), before + c.Added);
    EXPECT_EQ(f.Window->UndoStack().count(), c.Added);
  }
  EXPECT_EQ(f.Graph().GetSerie(before).Name(), "samples");
  EXPECT_NE(app::AxisTitles(f.Graph())[0], "Sand");  // titles only when asked for
}

// The reason a file is refused is worded in the window's language.
TEST(ImportForm, RefusalsFollowTheLanguage) {
  const std::pair<i18n::TLanguage, const char*> cases[] = {
      {i18n::lnEnglish, "Cannot import \"binary.csv\": it is not a text file"},
      {i18n::lnFrench, "Impossible d'importer « binary.csv » : ce n'est pas un fichier texte"},
  };
  QTemporaryDir folder;
  const QString path = WriteFile(folder, "binary.csv", QByteArray("a,b,c\n\0\0\x01\x02\0", 11));
  for (const auto& [language, message] : cases) {
    TMainWindowFixture f;
    f.Dictionary.SetLanguage(language);
    QString shown;
    AnswerNextModal([&](QWidget* box) {
      shown = qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QMessageBox*>(box)->accept();
    });
    f.Window->ImportData(path);
    EXPECT_EQ(shown.toStdString(), message);
  }
}

// Cancel in the progress of the first reading shows no dialog; Cancel in the
// progress of a new count keeps the columns and the counts shown before.
// Without a delay, even a small file shows the progress dialog.
TEST(ImportForm, CancelledProgressChangesNothing) {
  qputenv("VARENTA_PROGRESS_DELAY_MS", "0");
  TMainWindowFixture f;
  QTemporaryDir folder;
  const QString path = WriteFile(folder, "samples.csv", kSamples);
  QTimer canceller;
  bool armed = true;
  QObject::connect(&canceller, &QTimer::timeout, [&] {
    for (QProgressDialog* progress : f.Window->findChildren<QProgressDialog*>(QStringLiteral("ProgressDialog")))
      if (armed && progress->isVisible()) {
        armed = false;
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
      }
  });
  canceller.start(0);
  const int before = f.Graph().SeriesCount();
  f.Window->ImportData(path);
  EXPECT_FALSE(armed);
  EXPECT_EQ(f.Graph().SeriesCount(), before);

  qunsetenv("VARENTA_PROGRESS_DELAY_MS");  // the first reading goes through unseen
  std::string counts[2], column;
  AnswerNextModal([&](QWidget* dialog) {
    counts[0] = Counts(dialog).toStdString();
    qputenv("VARENTA_PROGRESS_DELAY_MS", "0");
    armed = true;
    QTest::keyClick(dialog->findChild<QComboBox*>("cbColumnC"), Qt::Key_Down);
    counts[1] = Counts(dialog).toStdString();
    column = dialog->findChild<QComboBox*>("cbColumnC")->currentText().toStdString();
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
  });
  f.Window->ImportData(path);
  qunsetenv("VARENTA_PROGRESS_DELAY_MS");
  EXPECT_FALSE(armed);
  EXPECT_EQ(counts[1], counts[0]);
  EXPECT_EQ(column, "Clay");
  ASSERT_EQ(f.Graph().SeriesCount(), before + 1);
  EXPECT_EQ(dynamic_cast<TPointsSerie&>(f.Graph().GetSerie(before)).Items().Count(), 3);
}
