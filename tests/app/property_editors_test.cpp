#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <functional>
#include <memory>
#include <string>

#include "app/editors/axe_element_editor_form.h"
#include "app/editors/color_field.h"
#include "app/editors/control_label_editor_form.h"
#include "app/editors/font_editor_form.h"
#include "app/editors/graph_axe_editor_form.h"
#include "app/editors/graph_line_style_editor_form.h"
#include "app/editors/graph_serie_editor_form.h"
#include "app/editors/line_style_editor_form.h"
#include "app/editors/point_style_editor_form.h"
#include "app/editors/ticks_editor_form.h"
#include "control/control_label.h"
#include "editor_test_support.h"
#include "i18n/dictionary.h"
#include "model/graph_axe.h"
#include "model/lines_serie.h"
#include "model/surface_serie.h"

namespace {

// An editor on its own element, shown as a user would see it.
struct TBench {
  std::unique_ptr<TGraphElement> Element;
  std::unique_ptr<TEditorForm> Editor;

  template <class T>
  T& As() const {
    return dynamic_cast<T&>(*Element);
  }
  template <class W>
  W* Field(const char* name) const {
    return Editor->findChild<W*>(QLatin1String(name));
  }
};

template <class Editor, class Element>
TBench MakeBench(const std::function<void(Element&)>& prepare = {}) {
  TBench bench{std::make_unique<Element>(), std::make_unique<Editor>()};
  if (prepare) prepare(bench.template As<Element>());
  bench.Editor->SetElement(bench.Element.get());
  bench.Editor->show();
  return bench;
}

QString Decimal(double value) { return QLocale().toString(value); }

struct TFieldCase {
  const char* Rule;
  std::function<TBench()> Make;
  const char* Field;
  QString Typed;
  std::function<QString(const TBench&)> Stored;
  QString Expected;
};

TEST(PropertyEditors, FieldsApplyTheirConversionsAndFallbacksInOneChange) {
  const auto fontSize = [](const TBench& b) { return QString::number(b.As<TGraphFont>().Size()); };
  const auto lineWidth = [](const TBench& b) { return QString::number(b.As<TGraphLineStyle>().Size()); };
  const auto format = [](const TBench& b) { return b.As<TTicks>().LabelFormat(); };
  const auto font10 = [] { return MakeBench<TFontEditorForm, TGraphFont>([](TGraphFont& f) { f.SetSize(10); }); };
  const auto pen = [] { return MakeBench<TGraphLineStyleEditorForm, TGraphLineStyle>([](auto& s) { s.SetSize(3); }); };
  const auto ticks = [] { return MakeBench<TTicksEditorForm, TTicks>(); };
  const TFieldCase cases[] = {
      {"font size with decimals leaves the size", font10, "edtSize", "9.5", fontSize, "10"},
      {"font size below 2 becomes 8", font10, "edtSize", "1", fontSize, "8"},
      {"font size 12", font10, "edtSize", "12", fontSize, "12"},
      {"line width below 1 becomes 1", pen, "edtSize", Decimal(0.5), lineWidth, "1"},
      {"line width abc leaves the width", pen, "edtSize", "abc", lineWidth, "3"},
      {"line width 2.5", pen, "edtSize", Decimal(2.5), lineWidth, "2.5"},
      {"grid count 0 becomes 1", [] { return MakeBench<TAxeElementEditorForm, TGridLines>(); }, "edtCount", "0",
       [](const TBench& b) { return QString::number(b.As<TGridLines>().Count()); }, "1"},
      {"tick length -3 becomes 0", ticks, "edtTickLength", "-3",
       [](const TBench& b) { return QString::number(b.As<TTicks>().TickLength()); }, "0"},
      {"label spacing has no limit", ticks, "edtSpacing", "-7",
       [](const TBench& b) { return QString::number(b.As<TTicks>().LabelSpacing()); }, "-7"},
      {"format %d refused", ticks, "edtFormat", "%d", format, "%6.3g"},
      {"format %s refused", ticks, "edtFormat", "%s", format, "%6.3g"},
      {"format %.3g accepted, trimmed", ticks, "edtFormat", " %.3g ", format, "%.3g"},
      {"dot size 0 becomes 1", [] { return MakeBench<TPointStyleEditorForm, TPointStyle>(); }, "edtDotSize", "0",
       [](const TBench& b) { return QString::number(b.As<TPointStyle>().Size()); }, "1"},
      {"label height 0 becomes 10", [] { return MakeBench<TControlLabelEditorForm, TControlLabel>(); }, "edtHeight",
       "0", [](const TBench& b) { return QString::number(b.As<TControlLabel>().Height()); }, "10"},
      {"opacity keeps its low 8 bits", [] { return MakeBench<TGraphSerieEditorForm, TSurfaceSerie>(); },
       "edtAlphaBlending", "300",
       [](const TBench& b) { return QString::number(b.As<TSurfaceSerie>().AlphaBlending()); }, "44"},
  };
  for (const TFieldCase& c : cases) {
    SCOPED_TRACE(c.Rule);
    TBench bench = c.Make();
    TChangeCounter changes(*bench.Element);
    TypeInto(bench.Field<QLineEdit>(c.Field), c.Typed);
    EXPECT_TRUE(bench.Editor->IsModified());
    bench.Editor->ApplyChanges();
    EXPECT_EQ(c.Stored(bench), c.Expected);
    EXPECT_EQ(changes.count, 1);
  }
}

TEST(PropertyEditors, LoadingIsNoEditAndLeavesNothingModified) {
  const std::function<TBench()> benches[] = {
      [] { return MakeBench<TFontEditorForm, TGraphFont>([](auto& f) { f.SetSize(9.5f); }); },
      [] { return MakeBench<TControlLabelEditorForm, TControlLabel>([](auto& l) { l.SetCaption("a\r\nb"); }); },
      [] { return MakeBench<TGraphLineStyleEditorForm, TGraphLineStyle>([](auto& s) { s.SetSize(0.3f); }); },
      [] { return MakeBench<TAxeElementEditorForm, TGridLines>(); },
      [] { return MakeBench<TTicksEditorForm, TTicks>(); },
      [] { return MakeBench<TGraphAxeEditorForm, TGraphAxe>(); },
      [] { return MakeBench<TLineStyleEditorForm, TLineStyle>([](auto& s) { s.SetColorMode(cmGradient); }); },
      [] { return MakeBench<TPointStyleEditorForm, TPointStyle>(); },
      [] { return MakeBench<TGraphSerieEditorForm, TSurfaceSerie>(); },
      [] { return MakeBench<TGraphSerieEditorForm, TLinesSerie>(); },
  };
  for (const auto& make : benches) {
    TBench bench = make();
    SCOPED_TRACE(bench.Editor->metaObject()->className());
    QSignalSpy edits(bench.Editor.get(), &TEditorForm::Edited);
    bench.Editor->LoadFromElement();
    EXPECT_FALSE(bench.Editor->IsModified());
    EXPECT_EQ(edits.count(), 0);
    EXPECT_EQ(bench.Editor->GetElement(), bench.Element.get());
  }
}

TEST(PropertyEditors, ElementsOfAnotherClassAndMissingElementsAreIgnored) {
  TFontEditorForm editor;
  TGraphLineStyle notAFont;
  editor.SetElement(&notAFont);
  EXPECT_EQ(editor.GetElement(), nullptr);
  EXPECT_FALSE(editor.IsModified());
  editor.ApplyChanges();  // nothing to write to
}

TEST(PropertyEditors, DashStyleOutsideTheButtonsLoadsAsSolidAndCountsAsModified) {
  TBench simple = MakeBench<TGraphLineStyleEditorForm, TGraphLineStyle>([](auto& s) { s.SetDashStyle(7); });
  TBench serie = MakeBench<TLineStyleEditorForm, TLineStyle>([](auto& s) { s.SetDashStyle(DashStyleCustom); });
  for (const TBench* bench : {&simple, &serie}) {
    EXPECT_TRUE(bench->Field<QRadioButton>("rbSolid")->isChecked());
    EXPECT_TRUE(bench->Editor->IsModified());
  }
  ClickBox(simple.Field<QRadioButton>("rbDashDot"));
  simple.Editor->ApplyChanges();
  EXPECT_EQ(simple.As<TGraphLineStyle>().DashStyle(), DashStyleDashDot);
}

TEST(PropertyEditors, SeriesOfLinesHaveNoArrowAndNoSurface) {
  TBench bench = MakeBench<TGraphSerieEditorForm, TLinesSerie>([](auto& s) { s.SetName("L"); });
  EXPECT_FALSE(bench.Field<QCheckBox>("chbDrawArrow")->isEnabled());
  EXPECT_FALSE(bench.Field<QGroupBox>("gbSurface")->isEnabled());
  EXPECT_FALSE(bench.Field<QLineEdit>("edtAlphaBlending")->isEnabled());
  EXPECT_EQ(bench.Field<QLineEdit>("edtAlphaBlending")->text(), "255");
  EXPECT_EQ(bench.Field<app::TColorSwatch>("shpSurfaceColor")->Argb(), 0xFFFFFFFFu);
  EXPECT_FALSE(bench.Field<QPushButton>("btnBrowseSurfaceColor")->isEnabled());

  TBench surface = MakeBench<TGraphSerieEditorForm, TSurfaceSerie>();
  EXPECT_TRUE(surface.Field<QCheckBox>("chbDrawArrow")->isEnabled());
  EXPECT_TRUE(surface.Field<QGroupBox>("gbSurface")->isEnabled());
  ClickBox(surface.Field<QCheckBox>("chbDrawArrow"));
  surface.Editor->ApplyChanges();
  EXPECT_TRUE(surface.As<TSurfaceSerie>().DrawArrow());
}

TEST(PropertyEditors, SeriesFieldsApplyInOneChange) {
  TBench bench = MakeBench<TGraphSerieEditorForm, TPointsSerie>([](auto& s) {
    s.SetName("S");
    s.SetFrequency(5);
  });
  TChangeCounter changes(*bench.Element);
  TypeInto(bench.Field<QLineEdit>("edtName"), "  Renamed  ");
  auto* frequency = bench.Field<QSpinBox>("sedFrequency");
  EXPECT_EQ(frequency->maximum(), TGraphSerieEditorForm::kMaxFrequency);
  TypeInto(frequency->findChild<QLineEdit*>(), "0");
  QTest::keyClick(frequency, Qt::Key_Return);
  EXPECT_EQ(frequency->value(), 1);
  ClickBox(bench.Field<QCheckBox>("chbVisible"));
  bench.Editor->ApplyChanges();
  const auto& serie = bench.As<TPointsSerie>();
  EXPECT_EQ(serie.Name(), "Renamed");
  EXPECT_FALSE(serie.Visible());
  EXPECT_EQ(serie.Frequency(), 1);
  EXPECT_EQ(changes.count, 1);
}

TEST(PropertyEditors, CaptionLinesAreJoinedWithCrLfWithoutTheTrailingBreak) {
  TBench bench = MakeBench<TControlLabelEditorForm, TControlLabel>();
  auto* caption = bench.Field<QPlainTextEdit>("mmCaption");
  caption->setFocus();
  QTest::keyClicks(caption, "First");
  QTest::keyClick(caption, Qt::Key_Return);
  QTest::keyClicks(caption, "Second");
  QTest::keyClick(caption, Qt::Key_Return);
  bench.Editor->ApplyChanges();
  EXPECT_EQ(bench.As<TControlLabel>().Caption(), "First\r\nSecond");
  bench.Editor->LoadFromElement();
  EXPECT_EQ(caption->toPlainText(), "First\nSecond");
  EXPECT_FALSE(bench.Editor->IsModified());
}

constexpr uint32_t kTranslucent = 0x80336699;

struct TColourFieldCase {
  const char* Browse;
  std::function<TBench()> Make;  // an element with kTranslucent in the field
  std::function<uint32_t(const TBench&)> Stored;
  uint32_t Preset;
};

TEST(PropertyEditors, ColourDialogsOpenOnTheFieldsColourAndOkOrCancelChangesNothing) {
  const auto label = [](const TBench& b) { return b.As<TControlLabel>().Font().Color(); };
  const auto line = [](const TBench& b) { return b.As<TLineStyle>().Color(); };
  const auto marker = [] {
    return MakeBench<TPointStyleEditorForm, TPointStyle>([](auto& s) {
      s.SetFillColor(kTranslucent);
      s.SetLineColor(kTranslucent);
    });
  };
  const TColourFieldCase cases[] = {
      {"btnBrowseColor",
       [] {
         return MakeBench<TControlLabelEditorForm, TControlLabel>([](auto& l) { l.Font().SetColor(kTranslucent); });
       },
       label, kTranslucent},
      {"btnBrowseColor",
       [] { return MakeBench<TGraphLineStyleEditorForm, TGraphLineStyle>([](auto& s) { s.SetColor(kTranslucent); }); },
       [](const TBench& b) { return b.As<TGraphLineStyle>().Color(); }, kTranslucent},
      {"btnBrowseColor",
       [] { return MakeBench<TLineStyleEditorForm, TLineStyle>([](auto& s) { s.SetColor(kTranslucent); }); }, line,
       kTranslucent},
      {"btnEndColor",
       [] {
         return MakeBench<TLineStyleEditorForm, TLineStyle>([](auto& s) {
           s.SetColorMode(cmGradient);
           s.SetEndColor(kTranslucent);
         });
       },
       [](const TBench& b) { return b.As<TLineStyle>().EndColor(); }, kTranslucent},
      {"btnBrowseFillColor", marker, [](const TBench& b) { return b.As<TPointStyle>().FillColor(); }, kTranslucent},
      {"btnBrowseFrameColor", marker, [](const TBench& b) { return b.As<TPointStyle>().LineColor(); }, kTranslucent},
      // The opacity field governs a surface's alpha: its dialog offers none.
      {"btnBrowseSurfaceColor",
       [] { return MakeBench<TGraphSerieEditorForm, TSurfaceSerie>([](auto& s) { s.SetFillColor(kTranslucent); }); },
       [](const TBench& b) { return b.As<TSurfaceSerie>().FillColor(); }, 0xFF000000 | kTranslucent},
  };
  for (const TColourFieldCase& c : cases) {
    for (const auto answer : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
      TBench bench = c.Make();
      SCOPED_TRACE(std::string(bench.Editor->metaObject()->className()) + " " + c.Browse +
                   (answer == QDialogButtonBox::Ok ? " Ok" : " Cancel"));
      QSignalSpy edits(bench.Editor.get(), &TEditorForm::Edited);
      EXPECT_EQ(AnswerColorDialog(bench.Field<QPushButton>(c.Browse), answer).rgba(), c.Preset);
      EXPECT_EQ(edits.count(), 0);
      EXPECT_FALSE(bench.Editor->IsModified());
      bench.Editor->ApplyChanges();
      EXPECT_EQ(c.Stored(bench), kTranslucent);
    }
  }
}

struct TPickedColourCase {
  const char* Browse;
  const char* Swatch;
  std::function<TBench()> Make;
  QColor Picked;
  std::function<uint32_t(const TBench&)> Stored;
  uint32_t Expected;
};

TEST(PropertyEditors, PickedColoursKeepTheirAlphaUnlessTheFieldHasNone) {
  const TPickedColourCase cases[] = {
      {"btnBrowseColor", "shpColor",
       [] { return MakeBench<TControlLabelEditorForm, TControlLabel>([](auto& l) { l.Font().SetColor(0x80FF0000); }); },
       QColor(0, 0, 255, 100), [](const TBench& b) { return b.As<TControlLabel>().Font().Color(); }, 0x640000FF},
      // A surface's colour keeps the alpha byte its opacity field does not show.
      {"btnBrowseSurfaceColor", "shpSurfaceColor",
       [] { return MakeBench<TGraphSerieEditorForm, TSurfaceSerie>([](auto& s) { s.SetFillColor(0x12345678); }); },
       QColor(255, 0, 0), [](const TBench& b) { return b.As<TSurfaceSerie>().FillColor(); }, 0x12FF0000},
  };
  for (const TPickedColourCase& c : cases) {
    SCOPED_TRACE(c.Browse);
    TBench bench = c.Make();
    PickColorInNextDialog(c.Picked);
    QTest::mouseClick(bench.Field<QPushButton>(c.Browse), Qt::LeftButton);
    EXPECT_EQ(bench.Field<app::TColorSwatch>(c.Swatch)->Argb(), c.Expected);
    EXPECT_TRUE(bench.Editor->IsModified());
    bench.Editor->ApplyChanges();
    EXPECT_EQ(c.Stored(bench), c.Expected);
  }
}

TEST(PropertyEditors, DotTypeOutsideTheListSelectsNothingUntilOneIsChosen) {
  TBench bench = MakeBench<TPointStyleEditorForm, TPointStyle>([](auto& s) { s.SetDotType(TDotType(200)); });
  auto* dotTypes = bench.Field<QComboBox>("cbxDotType");
  EXPECT_EQ(dotTypes->currentIndex(), -1);
  EXPECT_TRUE(bench.Editor->IsModified());
  bench.Editor->ApplyChanges();
  EXPECT_EQ(bench.As<TPointStyle>().DotType(), 200);
  dotTypes->setFocus();
  QTest::keyClick(dotTypes, Qt::Key_Home);
  bench.Editor->ApplyChanges();
  EXPECT_EQ(bench.As<TPointStyle>().DotType(), dtFilledDot);
}

TEST(PropertyEditors, EndColourIsEnabledAndComparedOnlyForAGradient) {
  TBench bench = MakeBench<TLineStyleEditorForm, TLineStyle>();
  auto* endColor = bench.Field<QPushButton>("btnEndColor");
  EXPECT_FALSE(endColor->isEnabled());
  ClickBox(bench.Field<QRadioButton>("rbModeGradient"));
  EXPECT_TRUE(endColor->isEnabled());
  bench.Editor->ApplyChanges();
  EXPECT_EQ(bench.As<TLineStyle>().ColorMode(), cmGradient);
  bench.As<TLineStyle>().SetColorMode(cmSolid);
  bench.Editor->LoadFromElement();
  EXPECT_FALSE(endColor->isEnabled());
}

TEST(PropertyEditors, FontFamiliesAreTheInstalledOnesAndAnUnknownFamilyIsKept) {
  TBench bench = MakeBench<TFontEditorForm, TGraphFont>([](auto& f) { f.SetName("No Such Family 42"); });
  auto* names = bench.Field<QComboBox>("cbxFontName");
  EXPECT_GE(names->count(), 1);
  EXPECT_EQ(names->currentText(), "No Such Family 42");
  EXPECT_FALSE(bench.Editor->IsModified());
  names->setFocus();
  QTest::keyClick(names, Qt::Key_End);
  const QString chosen = names->currentText();
  ClickBox(bench.Field<QCheckBox>("chbItalic"));
  bench.Editor->ApplyChanges();
  EXPECT_EQ(bench.As<TGraphFont>().Name(), chosen);
  EXPECT_EQ(bench.As<TGraphFont>().Styles(), FontStyleBit(fsItalic));
}

TEST(PropertyEditors, DotTypesAreListedWithPicturesAndRetranslatedInPlace) {
  TBench bench = MakeBench<TPointStyleEditorForm, TPointStyle>([](auto& s) { s.SetDotType(dtOpenDiamond); });
  auto* dotTypes = bench.Field<QComboBox>("cbxDotType");
  ASSERT_EQ(dotTypes->count(), 13);
  EXPECT_EQ(dotTypes->currentIndex(), dtOpenDiamond);
  for (int i = 0; i < dotTypes->count(); ++i) EXPECT_FALSE(dotTypes->itemIcon(i).isNull());
  i18n::TDictionary dictionary;
  dictionary.SetLanguage(i18n::lnFrench);
  EXPECT_EQ(dotTypes->itemText(0), "Rond plein");
  EXPECT_EQ(dotTypes->currentIndex(), dtOpenDiamond);
  dictionary.SetLanguage(i18n::lnEnglish);
  EXPECT_EQ(dotTypes->itemText(12), "Horizontal line");
}

TEST(PropertyEditors, AxisEditorWritesItsPartsInOneChange) {
  TBench bench = MakeBench<TGraphAxeEditorForm, TGraphAxe>();
  TChangeCounter changes(*bench.Element);
  auto* grid = bench.Field<QWidget>("pnlGrid")->findChild<TAxeElementEditorForm*>();
  auto* ticks = bench.Field<QWidget>("pnlTicks")->findChild<TTicksEditorForm*>();
  TypeInto(bench.Field<QLineEdit>("edtLabelText"), " Silica ");
  TypeInto(grid->findChild<QLineEdit*>("edtCount"), "5");
  TypeInto(ticks->findChild<QLineEdit*>("edtTickLength"), "9");
  bench.Editor->ApplyChanges();
  const auto& axe = bench.As<TGraphAxe>();
  EXPECT_EQ(axe.TextLabel().Text(), " Silica ");
  EXPECT_EQ(axe.GridLines().Count(), 5);
  EXPECT_EQ(axe.Ticks().TickLength(), 9);
  EXPECT_EQ(changes.count, 1);
  EXPECT_FALSE(bench.Editor->IsModified());
}

}  // namespace
