#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <memory>

#include "app/editors/control_label_editor_form.h"
#include "app/editors/graph_axe_editor_form.h"
#include "app/editors/graph_serie_editor_form.h"
#include "app/editors/legend_editor_form.h"
#include "app/graph_control_editor_form.h"
#include "control/graph_control.h"
#include "editor_test_support.h"
#include "i18n/dictionary.h"
#include "model/graph_axe.h"
#include "model/lines_serie.h"
#include "model/points_serie.h"
#include "model/surface_serie.h"

namespace {

// Counts how often the diagram is rendered.
class TCountingControl : public TGraphControl {
 public:
  void Redraw() override {
    ++Renders;
    TGraphControl::Redraw();
  }
  int Renders = 0;
};

class GraphControlEditorForm : public ::testing::Test {
 protected:
  void SetUp() override {
    m_control.resize(300, 300);
    m_control.MainHeader().SetCaption("The header");
    m_control.OnSeriesChange = [this](TGraphControl*) { ++m_seriesChanges; };
  }

  void AddSeries(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      auto serie = std::make_unique<TPointsSerie>();
      serie->SetName(name);
      m_control.Graph().AddSerie(std::move(serie));
    }
  }

  TGraphControlEditorForm& Open() {
    m_form = std::make_unique<TGraphControlEditorForm>(m_control);
    m_form->show();
    return *m_form;
  }

  QTreeWidget* Tree() const { return m_form->findChild<QTreeWidget*>("tvItems"); }
  QTreeWidgetItem* Entry(int index) const { return Tree()->topLevelItem(index); }
  QPoint Centre(int index) const { return Tree()->visualItemRect(Entry(index)).center(); }
  QPushButton* Button(const char* name) const { return m_form->findChild<QPushButton*>(name); }

  void Select(int index) const { QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Centre(index)); }

  void Drag(int from, int onto) const {
    QWidget* viewport = Tree()->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, Centre(from));
    QTest::mouseMove(viewport, Centre(from) + QPoint(0, 3));
    QTest::mouseMove(viewport, Centre(onto));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, Centre(onto));
  }

  QStringList EntryTexts() const {
    QStringList texts;
    for (int i = 0; i < Tree()->topLevelItemCount(); ++i) texts << Entry(i)->text(0);
    return texts;
  }

  QStringList SeriesOrder() const {
    QStringList names;
    for (int i = 0; i < m_control.Graph().SeriesCount(); ++i) names << m_control.Graph().GetSerie(i).Name();
    return names;
  }

  // The editor now shown.
  template <class Editor>
  Editor* Shown() const {
    for (Editor* editor : m_form->findChildren<Editor*>())
      if (editor->isVisible()) return editor;
    return nullptr;
  }

  TCountingControl m_control;
  int m_seriesChanges = 0;
  std::unique_ptr<TGraphControlEditorForm> m_form;
};

TEST_F(GraphControlEditorForm, OpensOnTheHeaderWithItsCaptionAndApplyDisabled) {
  AddSeries({"S1"});
  Open();
  EXPECT_EQ(Tree()->currentItem(), Entry(0));
  EXPECT_EQ(EntryTexts(),
            QStringList({"Header", "Footer", "Left axe", "Right axe", "Bottom axe", "S1", "Legend", "Annotations"}));
  auto* editor = Shown<TControlLabelEditorForm>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->findChild<QPlainTextEdit*>("mmCaption")->toPlainText(), "The header");
  EXPECT_FALSE(Button("btnApply")->isEnabled());
}

TEST_F(GraphControlEditorForm, AGraphWithoutSeriesShowsTheSevenFixedEntries) {
  Open();
  EXPECT_EQ(Tree()->topLevelItemCount(), 7);
}

TEST_F(GraphControlEditorForm, TheLegendEntryShowsAndPlacesTheLegendWithOneRender) {
  Open();
  Select(5);
  auto* editor = Shown<TLegendEditorForm>();
  ASSERT_NE(editor, nullptr);
  auto* visible = editor->findChild<QCheckBox*>("chbVisible");
  QTest::mouseClick(visible, Qt::LeftButton, {}, QPoint(5, visible->height() / 2));  // on the box
  editor->findChild<QComboBox*>("cbxPosition")->setCurrentIndex(lpOutsideRight);
  const int renders = m_control.Renders;
  QTest::mouseClick(Button("btnApply"), Qt::LeftButton);
  EXPECT_EQ(m_control.Renders, renders + 1);
  EXPECT_TRUE(m_control.Legend().Visible());
  EXPECT_EQ(m_control.Legend().Position(), lpOutsideRight);
}

TEST_F(GraphControlEditorForm, OkWritesEditsOfSeveralEntriesWithOneRender) {
  AddSeries({"S1", "S2"});
  Open();
  Select(2);
  TypeInto(Shown<TGraphAxeEditorForm>()->findChild<QLineEdit*>("edtLabelText"), "Quartz");
  Select(1);
  TypeInto(Shown<TControlLabelEditorForm>()->findChild<QLineEdit*>("edtHeight"), "44");
  EXPECT_TRUE(Button("btnApply")->isEnabled());
  const int renders = m_control.Renders;
  QTest::mouseClick(Button("btnOk"), Qt::LeftButton);
  EXPECT_EQ(m_control.Renders, renders + 1);
  EXPECT_EQ(m_control.Graph().GetAxe(apLeft).TextLabel().Text(), "Quartz");
  EXPECT_EQ(m_control.MainFooter().Height(), 44);
  EXPECT_EQ(m_form->result(), QDialog::Accepted);
}

TEST_F(GraphControlEditorForm, ReturningToAnEntryShowsTheControlsAsLeft) {
  Open();
  Select(3);
  auto* axeEditor = Shown<TGraphAxeEditorForm>();
  TypeInto(axeEditor->findChild<QLineEdit*>("edtLabelText"), "typed");
  Select(0);
  Select(3);
  EXPECT_EQ(Shown<TGraphAxeEditorForm>(), axeEditor);
  EXPECT_EQ(axeEditor->findChild<QLineEdit*>("edtLabelText")->text(), "typed");
}

TEST_F(GraphControlEditorForm, ApplyAfterRenamingASeriesUpdatesTheEntryAndTheSeriesList) {
  AddSeries({"S1", "S2"});
  Open();
  Select(6);
  TypeInto(Shown<TGraphSerieEditorForm>()->findChild<QLineEdit*>("edtName"), "Basalt");
  m_seriesChanges = 0;
  QTest::mouseClick(Button("btnApply"), Qt::LeftButton);
  EXPECT_EQ(Entry(6)->text(0), "Basalt");
  EXPECT_EQ(SeriesOrder(), QStringList({"S1", "Basalt"}));
  EXPECT_GT(m_seriesChanges, 0);
  EXPECT_FALSE(Button("btnApply")->isEnabled());
}

TEST_F(GraphControlEditorForm, DraggingASeriesOntoAnotherPutsItBeforeAtTheNextApply) {
  AddSeries({"S1", "S2", "S3"});
  Open();
  Drag(5, 7);
  EXPECT_EQ(EntryTexts().mid(5, 3), QStringList({"S2", "S1", "S3"}));
  EXPECT_EQ(SeriesOrder(), QStringList({"S1", "S2", "S3"}));
  EXPECT_TRUE(Button("btnApply")->isEnabled());
  QTest::mouseClick(Button("btnApply"), Qt::LeftButton);
  EXPECT_EQ(SeriesOrder(), QStringList({"S2", "S1", "S3"}));
  // The order stays changed for the dialog's life.
  EXPECT_TRUE(Button("btnApply")->isEnabled());
  // A series is moved last by dragging the last one up.
  Drag(7, 5);
  QTest::mouseClick(Button("btnApply"), Qt::LeftButton);
  EXPECT_EQ(SeriesOrder(), QStringList({"S3", "S2", "S1"}));
}

TEST_F(GraphControlEditorForm, OnlySeriesEntriesAreDraggedAndDroppedOnto) {
  AddSeries({"S1", "S2"});
  Open();
  const QStringList before = EntryTexts();
  Drag(5, 4);  // a series onto "Bottom axe"
  Drag(0, 6);  // "Header" onto a series
  Drag(6, 6);  // a series onto itself
  EXPECT_EQ(EntryTexts(), before);
  EXPECT_FALSE(Button("btnApply")->isEnabled());
}

TEST_F(GraphControlEditorForm, CancelAfterApplyKeepsWhatApplyWrote) {
  Open();
  TypeInto(Shown<TControlLabelEditorForm>()->findChild<QLineEdit*>("edtHeight"), "33");
  QTest::mouseClick(Button("btnApply"), Qt::LeftButton);
  TypeInto(Shown<TControlLabelEditorForm>()->findChild<QLineEdit*>("edtHeight"), "77");
  QTest::mouseClick(Button("btnCancel"), Qt::LeftButton);
  EXPECT_EQ(m_control.MainHeader().Height(), 33);
  EXPECT_EQ(m_form->result(), QDialog::Rejected);
}

TEST_F(GraphControlEditorForm, EscapeCancelsTheModalDialog) {
  TGraphControlEditorForm form(m_control);
  QTimer::singleShot(0, [&form] {
    TypeInto(form.findChild<QLineEdit*>("edtHeight"), "55");
    QTest::keyClick(&form, Qt::Key_Escape);
  });
  EXPECT_FALSE(form.Execute());
  EXPECT_EQ(m_control.MainHeader().Height(), TControlLabel::kDefaultHeight);
}

TEST_F(GraphControlEditorForm, FixedEntriesFollowTheLanguageAndKeepTheSelection) {
  AddSeries({"Serie"});
  Open();
  Select(4);
  i18n::TDictionary dictionary;
  dictionary.SetLanguage(i18n::lnFrench);
  EXPECT_EQ(EntryTexts(), QStringList({"En-tête", "Pied de page", "Axe gauche", "Axe droit", "Axe bas", "Serie",
                                       "Légende", "Annotations"}));
  EXPECT_EQ(Button("btnApply")->text(), "Appliquer");
  EXPECT_EQ(Tree()->currentItem(), Entry(4));
  dictionary.SetLanguage(i18n::lnEnglish);
  EXPECT_EQ(Entry(2)->text(0), "Left axis");
  EXPECT_EQ(m_form->windowTitle(), "Properties");
}

TEST_F(GraphControlEditorForm, EveryKindOfSeriesGetsTheSeriesEditor) {
  m_control.Graph().AddSerie(std::make_unique<TLinesSerie>());
  m_control.Graph().AddSerie(std::make_unique<TSurfaceSerie>());
  Open();
  Select(5);
  EXPECT_NE(Shown<TGraphSerieEditorForm>(), nullptr);
  Select(6);
  EXPECT_NE(Shown<TGraphSerieEditorForm>(), nullptr);
  EXPECT_EQ(m_form->findChildren<TGraphSerieEditorForm*>().size(), 2);
}

TEST_F(GraphControlEditorForm, ApplyIsEnabledExactlyWhileAFieldDiffers) {
  Open();
  auto* height = Shown<TControlLabelEditorForm>()->findChild<QLineEdit*>("edtHeight");
  TypeInto(height, "12");
  EXPECT_TRUE(Button("btnApply")->isEnabled());
  TypeInto(height, "25");
  EXPECT_FALSE(Button("btnApply")->isEnabled());
  // Selecting entries creates their editors, which loading does not modify.
  for (int i = 1; i < 5; ++i) Select(i);
  EXPECT_FALSE(Button("btnApply")->isEnabled());
  EXPECT_FALSE(m_form->IsModified());
}

TEST_F(GraphControlEditorForm, AnotherControlRebuildsTheTreeWithFreshEditors) {
  AddSeries({"S1"});
  Open();
  Select(5);
  TypeInto(Shown<TGraphSerieEditorForm>()->findChild<QLineEdit*>("edtName"), "typed");
  TGraphControl other;
  m_form->SetGraphControl(other);
  EXPECT_EQ(m_form->GetElement(), &other);
  EXPECT_EQ(Tree()->topLevelItemCount(), 7);
  EXPECT_TRUE(m_form->findChildren<TGraphSerieEditorForm*>().isEmpty());
  EXPECT_FALSE(m_form->IsModified());
  m_form->SetGraphControl(other);  // the same control: nothing happens
  EXPECT_EQ(Tree()->currentItem(), Entry(0));
}

TEST_F(GraphControlEditorForm, EmbeddedDialogHasNoButtons) {
  QWidget host;
  auto* form = new TGraphControlEditorForm(m_control, &host);
  form->CreateEmbedded(&host);
  host.show();
  EXPECT_FALSE(form->isWindow());
  EXPECT_FALSE(form->findChild<QWidget*>("pnlButtons")->isVisible());
  EXPECT_TRUE(form->findChild<QTreeWidget*>("tvItems")->isVisible());
}

}  // namespace
