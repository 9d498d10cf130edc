#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <functional>

#include "app/band_header.h"
#include "app/serie_values_form.h"
#include "app/values_grid.h"
#include "app/values_table_model.h"
#include "change_counter.h"
#include "i18n/dictionary.h"
#include "model/lines_serie.h"
#include "model/points_serie.h"

namespace {

using TAct = std::function<void(TSerieValuesForm&, TValuesGrid&)>;

// Runs Execute; once the dialog shows, `act` works in it and then the button
// `closeWith` is clicked.
bool ExecuteWith(TGraphSerie& serie, const TAct& act, const char* closeWith = "btnOk") {
  TSerieValuesForm form;
  QTimer::singleShot(0, &form, [&] {
    // Closes also when a failed assertion leaves `act` early.
    const auto close = qScopeGuard([&] { QTest::mouseClick(form.findChild<QPushButton*>(closeWith), Qt::LeftButton); });
    act(form, *form.findChild<TValuesGrid*>("tlValues"));
  });
  return form.Execute(serie);
}

QString Text(TValuesGrid& grid, int row, int column) { return grid.model()->index(row, column).data().toString(); }

void Click(TSerieValuesForm& form, const char* button) {
  QTest::mouseClick(form.findChild<QToolButton*>(button), Qt::LeftButton);
}

// Types `text` into a cell the way a user does: the first key opens the editor.
void TypeInCell(TValuesGrid& grid, int row, int column, const QString& text, Qt::Key end = Qt::Key_Return) {
  grid.setFocus();
  grid.setCurrentIndex(grid.model()->index(row, column));
  QTest::keyClicks(&grid, text.left(1));
  QWidget* editor = nullptr;  // closed editors linger hidden until deleted
  for (QLineEdit* open : grid.viewport()->findChildren<QLineEdit*>())
    if (open->isVisible()) editor = open;
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, text.mid(1));
  QTest::keyClick(editor, end);
  QCoreApplication::processEvents();  // Enter commits and moves on from the event loop
}

void SetClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

class SerieValuesForm : public ::testing::Test {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
  void TearDown() override { QLocale::setDefault(QLocale::system()); }

  TPointsSerie points;
  TLinesSerie lines;
  TChangeCounter changes{points, lines};
};

TEST_F(SerieValuesForm, NewPointsSerieOpensWithOneEmptyRowWithoutBandsAndStoresNothing) {
  points.SetName("S");
  changes.count = 0;
  EXPECT_TRUE(ExecuteWith(points, [](TSerieValuesForm& form, TValuesGrid& grid) {
    EXPECT_EQ(grid.model()->rowCount(), 1);
    EXPECT_EQ(grid.model()->columnCount(), 4);
    EXPECT_FALSE(grid.BandHeader().BandsVisible());
    EXPECT_LT(grid.BandHeader().height(), 2 * grid.BandHeader().fontMetrics().height());
    EXPECT_EQ(form.focusWidget(), form.findChild<QLineEdit*>("edtName"));
    EXPECT_EQ(form.size(), QSize(599, 478));
  }));
  EXPECT_EQ(points.Items().Count(), 0);
  EXPECT_EQ(changes.count, 1);
}

TEST_F(SerieValuesForm, LinesSerieShowsBothBandsOverSixColumns) {
  lines.Items().Add({{0.1, 0.2, 0.7}, {0.3, 0.3, 0.4}});
  ExecuteWith(
      lines,
      [](TSerieValuesForm&, TValuesGrid& grid) {
        EXPECT_EQ(grid.model()->columnCount(), 6);
        EXPECT_TRUE(grid.BandHeader().BandsVisible());
        EXPECT_GE(grid.BandHeader().height(), 2 * grid.BandHeader().fontMetrics().height());
        EXPECT_EQ(Text(grid, 0, 5), "0.4");
      },
      "btnCancel");
}

TEST_F(SerieValuesForm, TypedNameAndRowAreStoredInOneChangeWithCZero) {
  ExecuteWith(points, [](TSerieValuesForm& form, TValuesGrid& grid) {
    QTest::keyClicks(form.findChild<QLineEdit*>("edtName"), " Rock ");
    TypeInCell(grid, 0, 0, "0.25");
    TypeInCell(grid, 0, 1, "0.75");
  });
  EXPECT_EQ(points.Name(), " Rock ");
  ASSERT_EQ(points.Items().Count(), 1);
  EXPECT_EQ(points.Items().Get(0), (TTernaryPoint{0.25, 0.75, 0.0}));
  EXPECT_EQ(changes.count, 1);
}

TEST_F(SerieValuesForm, EnterAndTabMoveToTheNextCellAndEnterAtTheEndAddsARow) {
  points.Items().Add({1, 2, 3});
  lines.Items().Add({{1, 2, 3}, {4, 5, 6}});
  ExecuteWith(
      points,
      [](TSerieValuesForm&, TValuesGrid& grid) {
        grid.setFocus();
        grid.setCurrentIndex(grid.model()->index(0, 1));
        QTest::keyClick(&grid, Qt::Key_Tab);
        EXPECT_EQ(grid.currentIndex(), grid.model()->index(0, 2));
        QTest::keyClick(&grid, Qt::Key_Tab);  // on to the value
        EXPECT_EQ(grid.currentIndex(), grid.model()->index(0, 3));
        QTest::keyClick(&grid, Qt::Key_Tab);  // Tab at the very end stays
        EXPECT_EQ(grid.model()->rowCount(), 1);
        QTest::keyClick(&grid, Qt::Key_Return);
        EXPECT_EQ(grid.model()->rowCount(), 2);
        EXPECT_EQ(grid.currentIndex(), grid.model()->index(1, 0));
        TypeInCell(grid, 1, 3, "9", Qt::Key_Enter);  // also from inside an edit
        EXPECT_EQ(grid.model()->rowCount(), 3);
      },
      "btnCancel");
  ExecuteWith(
      lines,
      [](TSerieValuesForm&, TValuesGrid& grid) {
        grid.setFocus();
        grid.setCurrentIndex(grid.model()->index(0, 2));
        QTest::keyClick(&grid, Qt::Key_Return);
        EXPECT_EQ(grid.model()->rowCount(), 1);
        EXPECT_EQ(grid.currentIndex(), grid.model()->index(0, 3));
      },
      "btnCancel");
}

TEST_F(SerieValuesForm, PasteReplacesTheRowsReadingCommasAsPoints) {
  points.Items().Add({7, 7, 7});
  SetClipboard("1,5 2 3\r\n\r\n4 5 6 7");
  ExecuteWith(points, [](TSerieValuesForm& form, TValuesGrid&) { Click(form, "tbbPaste"); });
  ASSERT_EQ(points.Items().Count(), 2);
  EXPECT_EQ(points.Items().Get(0), (TTernaryPoint{1.5, 2, 3}));
  EXPECT_EQ(points.Items().Get(1), (TTernaryPoint{4, 5, 6}));
  // A fourth number is the point's value; a row of three leaves it without.
  EXPECT_TRUE(std::isnan(points.Items().Value(0)));
  EXPECT_EQ(points.Items().Value(1), 7);
}

TEST_F(SerieValuesForm, PastedNumbersShowWithTheUsersSeparator) {
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  SetClipboard("0.5\t\t1,25 abc");
  lines.Items().Add({{1, 2, 3}, {4, 5, 6}});
  ExecuteWith(
      lines,
      [](TSerieValuesForm& form, TValuesGrid& grid) {
        Click(form, "tbbPaste");
        ASSERT_EQ(grid.model()->rowCount(), 1);
        EXPECT_EQ(Text(grid, 0, 0), "0,5");
        EXPECT_EQ(Text(grid, 0, 1), "1,25");
        EXPECT_EQ(Text(grid, 0, 2), "NAN");
        EXPECT_EQ(Text(grid, 0, 3), "");
      },
      "btnCancel");
}

TEST_F(SerieValuesForm, PasteWithoutTextKeepsTheRows) {
  points.Items().Add({1, 2, 3});
  QGuiApplication::clipboard()->setMimeData(new QMimeData);
  ExecuteWith(
      points,
      [](TSerieValuesForm& form, TValuesGrid& grid) {
        Click(form, "tbbPaste");
        EXPECT_EQ(Text(grid, 0, 2), "3");
      },
      "btnCancel");
}

TEST_F(SerieValuesForm, NormalizeDividesEachPointByItsSum) {
  struct {
    const char* pasted;
    QStringList row;
  } const cases[] = {
      {"20 30 50", {"0.2", "0.3", "0.5"}},
      {"1 -1 0", {"1", "-1", "0"}},
      {"", {"0", "0", "0"}},  // the new series' empty row
      {"abc 1 1", {"NAN", "1", "1"}},
      {"20 30 50 9", {"0.2", "0.3", "0.5", "9"}},  // the value stays as it is
  };
  for (const auto& c : cases) {
    TPointsSerie serie;
    SetClipboard(c.pasted);
    ExecuteWith(serie, [&](TSerieValuesForm& form, TValuesGrid& grid) {
      if (*c.pasted) Click(form, "tbbPaste");
      Click(form, "tbbNormalize");
      QStringList row;
      for (int column = 0; column < c.row.size(); ++column) row << Text(grid, 0, column);
      EXPECT_EQ(row, c.row) << c.pasted;
    });
    EXPECT_EQ(serie.Items().Count(), c.row[0] == "NAN" ? 0 : 1) << c.pasted;
  }
}

TEST_F(SerieValuesForm, NormalizeTreatsBothPointsOfALine) {
  lines.Items().Add({{2, 2, 4}, {0, 0, 0}});
  ExecuteWith(lines, [](TSerieValuesForm& form, TValuesGrid&) { Click(form, "tbbNormalize"); });
  EXPECT_EQ(lines.Items().Get(0), (TTernaryCouple{{0.25, 0.25, 0.5}, {0, 0, 0}}));
}

TEST_F(SerieValuesForm, InvertReversesTheRowsKeepingTypedTexts) {
  for (double a : {1.0, 2.0, 3.0}) points.Items().Add({a, 0, 0}, a * 10);
  ExecuteWith(
      points,
      [](TSerieValuesForm& form, TValuesGrid& grid) {
        TypeInCell(grid, 0, 1, "x");
        Click(form, "tbbInvert");
        EXPECT_EQ(Text(grid, 0, 0), "3");
        EXPECT_EQ(Text(grid, 2, 0), "1");
        EXPECT_EQ(Text(grid, 2, 1), "x");
        EXPECT_EQ(Text(grid, 0, 3), "30");
      },
      "btnCancel");
}

TEST_F(SerieValuesForm, CopyWritesEveryRowTabSeparatedWithCrLf) {
  lines.Items().Add({{0.1, 0.2, 0.7}, {1, 2, 3.5}});
  ExecuteWith(
      lines, [](TSerieValuesForm& form, TValuesGrid&) { Click(form, "tbbCopy"); }, "btnCancel");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "0.1\t0.2\t0.7\t1\t2\t3.5\r\n");
  ExecuteWith(
      points, [](TSerieValuesForm& form, TValuesGrid&) { Click(form, "tbbCopy"); }, "btnCancel");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "\t\t\t\r\n");
  points.Items().Add({0.5, 0.5, 0}, 12.5);
  points.Items().Add({0, 0.5, 0.5});
  ExecuteWith(
      points, [](TSerieValuesForm& form, TValuesGrid&) { Click(form, "tbbCopy"); }, "btnCancel");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "0.5\t0.5\t0\t12.5\r\n0\t0.5\t0.5\t\r\n");
}

TEST_F(SerieValuesForm, UnreadableCellIsDrawnRedAndItsRowLeftOut) {
  for (double a : {1.0, 2.0, 3.0}) points.Items().Add({a, 0, 0});
  ExecuteWith(points, [](TSerieValuesForm&, TValuesGrid& grid) {
    TypeInCell(grid, 1, 1, "abc");
    const QImage image = grid.viewport()->grab().toImage();
    const QRect bad = grid.visualRect(grid.model()->index(1, 1));
    const QRect good = grid.visualRect(grid.model()->index(1, 0));
    const qreal ratio = image.devicePixelRatio();
    EXPECT_EQ(image.pixelColor((bad.topLeft() + QPoint(3, 3)) * ratio), QColor(255, 0, 0));
    EXPECT_NE(image.pixelColor((good.topLeft() + QPoint(3, 3)) * ratio), QColor(255, 0, 0));
  });
  ASSERT_EQ(points.Items().Count(), 2);
  EXPECT_EQ(points.Items().Get(0).A, 1.0);
  EXPECT_EQ(points.Items().Get(1).A, 3.0);
}

TEST_F(SerieValuesForm, CancelAndEscapeLeaveTheSerieAsItWas) {
  points.SetName("Kept");
  points.Items().Add({1, 2, 3});
  changes.count = 0;
  EXPECT_FALSE(ExecuteWith(
      points,
      [](TSerieValuesForm& form, TValuesGrid& grid) {
        QTest::keyClicks(form.findChild<QLineEdit*>("edtName"), "Lost");
        TypeInCell(grid, 0, 0, "9");
        Click(form, "tbbInvert");
        QTest::keyClick(&form, Qt::Key_Escape);
        EXPECT_TRUE(form.isVisible());
      },
      "btnCancel"));
  EXPECT_EQ(points.Name(), "Kept");
  EXPECT_EQ(points.Items().Get(0), (TTernaryPoint{1, 2, 3}));
  EXPECT_EQ(changes.count, 0);
}

TEST_F(SerieValuesForm, TextsFollowTheLanguage) {
  struct {
    i18n::TLanguage language;
    QString title, name, ok, cancel, copy, value;
  } const cases[] = {
      {i18n::lnEnglish, "Series edition", "Name:", "Ok", "Cancel", "Copy all", "Value"},
      {i18n::lnFrench, "Edition d'une série", "Nom :", "Ok", "Annuler", "Tout copier", "Valeur"},
      {i18n::lnNative, "Edition d'une série", "Nom :", "Ok", "Annuler", "Tout copier", "Valeur"},
  };
  TSerieValuesForm form;
  TValuesTableModel values;
  values.Load(points);
  i18n::TDictionary dictionary;
  for (const auto& c : cases) {
    dictionary.SetLanguage(c.language);
    EXPECT_EQ(form.windowTitle(), c.title);
    EXPECT_EQ(form.findChild<QLabel*>("Label1")->text(), c.name);
    EXPECT_EQ(form.findChild<QPushButton*>("btnOk")->text(), c.ok);
    EXPECT_EQ(form.findChild<QPushButton*>("btnCancel")->text(), c.cancel);
    EXPECT_EQ(form.findChild<QToolButton*>("tbbCopy")->toolTip(), c.copy);
    EXPECT_EQ(values.headerData(3, Qt::Horizontal).toString(), c.value);
  }
}

}  // namespace
