#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QBuffer>
#include <QClipboard>
#include <QColorDialog>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "app/editors/color_scale_editor_form.h"
#include "app/editors/control_label_editor_form.h"
#include "app/graph_control_editor_form.h"
#include "app/undo_steps.h"
#include "control/control_label.h"
#include "editor_test_support.h"
#include "main_window_fixture.h"
#include "model/line_style.h"
#include "model/points_serie.h"

namespace {

QByteArray Document(TMainWindowFixture& f) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  f.Window->GraphControl().SaveToStream(buffer);
  return buffer.data();
}

void DrawUserLine(TMainWindowFixture& f) {
  TGraphControl& control = f.Window->GraphControl();
  control.SetInteractMode(imAddLine);
  QTest::mouseClick(&control, Qt::LeftButton, {}, f.ClientPointOf({0.6, 0.2, 0.2}));
  QTest::mouseClick(&control, Qt::LeftButton, {}, f.ClientPointOf({0.2, 0.2, 0.6}));
}

void ChangeBackground(TMainWindowFixture& f, const QColor& color) {
  AnswerNextModal([color](QWidget* modal) {
    auto* dialog = qobject_cast<QColorDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->setCurrentColor(color);
    dialog->accept();
  });
  f.Find("Changerlacouleurdefond1")->trigger();
}

// Renames the series and pastes two points in the values dialog, then Ok.
void TypeValues(QWidget* modal) {
  QApplication::clipboard()->setText(QStringLiteral("0.1 0.2 0.7\n0.3 0.3 0.4\n"));
  TypeInto(modal->findChild<QLineEdit*>("edtName"), "typed");
  QTest::mouseClick(modal->findChild<QWidget*>("tbbPaste"), Qt::LeftButton);
  QTest::mouseClick(modal->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
}

// Each user command that changes the document, run on a window.
const std::pair<const char*, std::function<void(TMainWindowFixture&)>> kCommands[] = {
    {"add points", [](TMainWindowFixture& f) { f.AddSerie("acAddPointsSerie"); }},
    {"add lines", [](TMainWindowFixture& f) { f.AddSerie("acAddLinesSerie"); }},
    {"add surface", [](TMainWindowFixture& f) { f.AddSerie("acAddSurfaceSerie"); }},
    {"add with values", [](TMainWindowFixture& f) { f.AddSerie("acAddLinesSerie", TypeValues); }},
    {"edit values",
     [](TMainWindowFixture& f) {
       f.ClickRow(0);
       AnswerNextModal(TypeValues);
       f.Find("acEditSerie")->trigger();
     }},
    {"delete",
     [](TMainWindowFixture& f) {
       f.ClickRow(0);
       f.Find("acDeleteSerie")->trigger();
     }},
    {"background", [](TMainWindowFixture& f) { ChangeBackground(f, QColor(10, 200, 30)); }},
    {"mirror", [](TMainWindowFixture& f) { f.Find("miMirror")->trigger(); }},
    {"rotate right", [](TMainWindowFixture& f) { f.Find("miRotateRight")->trigger(); }},
    {"rotate left", [](TMainWindowFixture& f) { f.Find("miRotateLeft")->trigger(); }},
    {"legend", [](TMainWindowFixture& f) { f.Find("miLegend")->trigger(); }},
    {"user line", DrawUserLine},
};

TEST(Undo, EachCommandIsUndoneAndRedoneToTheSameDocument) {
  for (const auto& [name, command] : kCommands) {
    TMainWindowFixture f;
    f.AddSerie("acAddPointsSerie");  // something to delete
    f.Graph().GetSerie(0).SetName(QStringLiteral("kept"));
    const QByteArray before = Document(f);
    command(f);
    const QByteArray after = Document(f);
    EXPECT_NE(after, before) << name;
    f.Window->UndoStack().undo();
    EXPECT_EQ(Document(f), before) << name;
    f.Window->UndoStack().redo();
    EXPECT_EQ(Document(f), after) << name;
  }
}

TEST(Undo, TenMixedCommandsGoBackToTheStartAndForwardToTheEnd) {
  TMainWindowFixture f;
  const QByteArray start = Document(f);
  for (int i = 0; i < 10; ++i) kCommands[size_t(i) % std::size(kCommands)].second(f);
  const QByteArray end = Document(f);
  QUndoStack& history = f.Window->UndoStack();
  EXPECT_EQ(history.count(), 10);
  while (history.canUndo()) history.undo();
  EXPECT_EQ(Document(f), start);
  EXPECT_FALSE(f.Window->isWindowModified());
  while (history.canRedo()) history.redo();
  EXPECT_EQ(Document(f), end);
}

TEST(Undo, StepsAreNamedAfterTheirCommandInTheCurrentLanguage) {
  TMainWindowFixture f;
  f.AddSerie("acAddPointsSerie");
  f.ClickRow(0);
  f.Find("acDeleteSerie")->trigger();
  const struct {
    int Language;
    const char* Undo;
    const char* Redo;
  } cases[] = {{i18n::lnNative, "Annuler : Supprimer la série", "Rétablir"},
               {i18n::lnEnglish, "Undo: Delete this series", "Redo"},
               {i18n::lnFrench, "Annuler : Supprimer la série", "Rétablir"}};
  for (const auto& c : cases) {
    f.Dictionary.SetLanguage(c.Language);
    EXPECT_EQ(f.Find("acUndo")->text().toStdString(), c.Undo);
    EXPECT_EQ(f.Find("acRedo")->text().toStdString(), c.Redo);
  }
  f.Window->UndoStack().undo();
  EXPECT_EQ(f.Find("acRedo")->text().toStdString(), "Rétablir : Supprimer la série");
  EXPECT_EQ(f.Find("acUndo")->text().toStdString(), "Annuler : Ajouter une série de type Points");
  EXPECT_TRUE(f.Find<QMenu>("Edit1")->actions().contains(f.Find("acUndo")));
}

TEST(Undo, UndoingBackToTheSavedStateClearsTheModifiedMark) {
  QTemporaryDir folder;
  TMainWindowFixture f;
  const QString path = folder.filePath(QStringLiteral("d.xml"));
  f.Window->GraphControl().SaveToFile(path);
  f.AddSerie("acAddPointsSerie");
  AnswerNextModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Discard)->click(); });
  f.Window->OpenDocument(path);
  EXPECT_FALSE(f.Window->UndoStack().canUndo());  // a document starts a new history
  f.Find("miMirror")->trigger();
  f.AddSerie("acAddLinesSerie");
  EXPECT_TRUE(f.Window->isWindowModified());
  EXPECT_EQ(f.Find("acUndo")->shortcut(), QKeySequence(QKeySequence::Undo));
  f.Find("acUndo")->trigger();
  f.Find("acUndo")->trigger();
  EXPECT_FALSE(f.Window->isWindowModified());
  bool asked = false;
  QTimer::singleShot(0, [&asked] {
    if (auto* question = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      asked = true;
      question->reject();
    }
  });
  f.Find("miNew")->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(asked);
  EXPECT_EQ(f.Graph().SeriesCount(), 0);
}

TEST(Undo, EveryApplyOfThePropertiesDialogIsOneStep) {
  TMainWindowFixture f;
  f.AddSerie("acAddPointsSerie");
  const QByteArray start = Document(f);
  AnswerNextModal([](QWidget* modal) {
    auto* dialog = qobject_cast<TGraphControlEditorForm*>(modal);
    ASSERT_NE(dialog, nullptr);
    auto* editor = dialog->findChild<TControlLabelEditorForm*>();
    TypeInto(editor->findChild<QLineEdit*>("edtHeight"), "44");
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnApply"), Qt::LeftButton);
    TypeInto(editor->findChild<QLineEdit*>("edtHeight"), "55");
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
  });
  f.Find("Propritsvisuellesdugraphe1")->trigger();
  EXPECT_EQ(f.Window->GraphControl().MainHeader().Height(), 55);
  const QByteArray end = Document(f);
  QUndoStack& history = f.Window->UndoStack();
  ASSERT_EQ(history.count(), 3);
  EXPECT_EQ(f.Find("acUndo")->text().toStdString(), "Annuler : Propriétés visuelles du graphe");
  history.undo();
  EXPECT_EQ(f.Window->GraphControl().MainHeader().Height(), 44);
  history.undo();
  EXPECT_EQ(Document(f), start);
  history.redo();
  history.redo();
  EXPECT_EQ(Document(f), end);
  EXPECT_TRUE(f.Find<QMenu>("pmGraph")->actions().contains(f.Find("Propritsvisuellesdugraphe1")));
}

// The series' entry of the properties dialog, its colour scale page filled
// in as a user does, then Ok: one step that undoes the whole scale.
TEST(Undo, TheColourScalePageOfASeriesIsOneStep) {
  TMainWindowFixture f;
  f.AddSerie("acAddPointsSerie");
  auto& serie = static_cast<TPointsSerie&>(f.Graph().GetSerie(0));
  const QByteArray start = Document(f);
  AnswerNextModal([&serie](QWidget* modal) {
    auto* tree = modal->findChild<QTreeWidget*>("tvItems");
    ASSERT_NE(tree, nullptr);
    const QList<QTreeWidgetItem*> entries = tree->findItems(serie.Name(), Qt::MatchExactly);
    ASSERT_EQ(entries.size(), 1);
    tree->setCurrentItem(entries.front());
    TColorScaleEditorForm* page = nullptr;
    for (auto* form : modal->findChildren<TColorScaleEditorForm*>())
      if (form->isVisible()) page = form;
    ASSERT_NE(page, nullptr);
    ClickBox(page->findChild<QCheckBox*>("chbColorByValue"));
    auto* maps = page->findChild<QComboBox*>("cbColorMap");
    maps->setFocus();
    QTest::keyClick(maps, Qt::Key_Down);
    TypeInto(page->findChild<QLineEdit*>("edtScaleMin"), "1");
    TypeInto(page->findChild<QLineEdit*>("edtScaleMax"), "100");
    ClickBox(page->findChild<QCheckBox*>("chbLogarithmic"));
    ClickBox(page->findChild<QCheckBox*>("chbReversed"));
    TypeInto(page->findChild<QLineEdit*>("edtScaleTitle"), "Carbon");
    QTest::mouseClick(modal->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
  });
  f.Find("Propritsvisuellesdugraphe1")->trigger();
  const TColorScale& scale = serie.ColorScale();
  EXPECT_TRUE(scale.Visible());
  EXPECT_EQ(scale.ColorMap(), model::TColorMap::cmCividis);  // the next in the list
  EXPECT_EQ(scale.Min(), 1.0);
  EXPECT_EQ(scale.Max(), 100.0);
  EXPECT_TRUE(scale.Logarithmic());
  EXPECT_TRUE(scale.Reversed());
  EXPECT_EQ(scale.Title(), QStringLiteral("Carbon"));
  const QByteArray end = Document(f);
  QUndoStack& history = f.Window->UndoStack();
  ASSERT_EQ(history.count(), 2);
  history.undo();
  EXPECT_TRUE(scale.IsDefault());
  EXPECT_EQ(Document(f), start);
  history.redo();
  EXPECT_EQ(Document(f), end);
}

TEST(Undo, APropertiesStepKeepsOnlyWhatChangedAndNeverThePoints) {
  TMainWindowFixture f;
  TGraphControl& control = f.Window->GraphControl();
  for (const char* name : {"S1", "S2"}) {
    auto serie = std::make_unique<TPointsSerie>();
    serie->SetName(QString::fromLatin1(name));
    f.Graph().AddSerie(std::move(serie));
  }
  auto& big = static_cast<TPointsSerie&>(f.Graph().GetSerie(0));
  big.Items().SetCount(1'000'000);
  const TTernaryPoint* points = big.Items().Data();
  const float width = big.LineStyle().Width();
  TPropertiesStep::TSnapshot snapshot = TPropertiesStep::Take(control);
  big.LineStyle().SetWidth(3);
  control.MainHeader().SetCaption(QStringLiteral("Title"));
  f.Graph().InsertSerie(0, f.Graph().RemoveSerie(1));
  auto* step =
      new TPropertiesStep(control, *f.Find("acEditSerie"), std::move(snapshot), TPropertiesStep::Take(control));
  EXPECT_LT(step->HeldBytes(), 10'000u);
  f.Window->UndoStack().push(step);
  f.Window->UndoStack().undo();
  EXPECT_EQ(big.LineStyle().Width(), width);
  EXPECT_EQ(control.MainHeader().Caption(), QString());
  EXPECT_EQ(&f.Graph().GetSerie(0), &big);
  f.Window->UndoStack().redo();
  EXPECT_EQ(big.LineStyle().Width(), 3.0f);
  EXPECT_EQ(control.MainHeader().Caption(), QStringLiteral("Title"));
  EXPECT_EQ(&f.Graph().GetSerie(1), &big);
  EXPECT_EQ(big.Items().Data(), points);
}

}  // namespace
