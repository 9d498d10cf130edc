// The legend, the series' names and the free texts in the document.
#include <gtest/gtest.h>

#include <QBuffer>
#include <functional>

#include "control/graph_control.h"
#include "control_fixture.h"
#include "model/annotation_list.h"

namespace {

QByteArray Saved(const TGraphControl& control) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  control.SaveToStream(buffer);
  return buffer.data();
}

void Load(TGraphControl& control, const QByteArray& text) {
  QBuffer buffer;
  buffer.setData(text);
  buffer.open(QIODevice::ReadOnly);
  control.LoadFromStream(buffer);
}

TAnnotation& AddAnnotation(TGraph& graph) {
  return graph.Annotations().Get(graph.Annotations().Add(std::make_unique<TAnnotation>()));
}

struct TAdditionCase {
  const char* Name;
  std::function<void(TGraphControl&)> Edit;
  const char* Written;  // a piece of the saved document
};

const TAdditionCase kAdditions[] = {
    {"LegendShown", [](TGraphControl& c) { c.Legend().SetVisible(true); },
     "<MainFooter>.*</MainFooter><Legend><Visible>True</Visible><Position>1</Position>"},
    {"LegendOutside", [](TGraphControl& c) { c.Legend().SetPosition(lpOutsideRight); }, "<Position>4</Position>"},
    {"LegendFont", [](TGraphControl& c) { c.Legend().Font().SetSize(12); }, "<Legend>.*<Size>12</Size>"},
    {"LegendFrame", [](TGraphControl& c) { c.Legend().Frame().SetDashStyle(2); }, "<Frame>.*<DashStyle>2<"},
    {"LegendBackground", [](TGraphControl& c) { c.Legend().SetBackgroundColor(0x80FF0000); },
     "<BackgroundColor>\\$80FF0000</BackgroundColor></Legend>"},
    {"NameVisible", [](TGraphControl& c) { c.Graph().GetSerie(0).SetNameVisible(true); },
     "<Frequency>1</Frequency><NameVisible>True</NameVisible>"},
    {"NameFont", [](TGraphControl& c) { c.Graph().GetSerie(0).NameFont().SetColor(0xFF0000FF); },
     "<NameFont><Color>\\$FF0000FF</Color>"},
    {"Annotation",
     [](TGraphControl& c) {
       TAnnotation& a = AddAnnotation(c.Graph());
       a.SetText(QStringLiteral("Quartz\nArénite"));
       a.SetPosition({0.5, 0.25, 0.25});
       a.SetAlignment(taRight);
       a.SetAngle(-30.5f);
     },
     "</Series><Annotations><Annotation><Text>Quartz\nArénite</Text><Position>0.5;0.25;0.25</Position><Font>.*"
     "<Alignment>2</Alignment><Angle>-30.5</Angle></Annotation></Annotations></Graph>"},
    {"TwoAnnotations",
     [](TGraphControl& c) {
       AddAnnotation(c.Graph()).SetText(QStringLiteral("one"));
       AddAnnotation(c.Graph()).SetText(QStringLiteral("two"));
     },
     "<Text>one</Text>.*</Annotation><Annotation><Text>two</Text>"},
};

class DocumentAddition : public testing::TestWithParam<TAdditionCase> {};
INSTANTIATE_TEST_SUITE_P(Document, DocumentAddition, testing::ValuesIn(kAdditions),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_P(DocumentAddition, IsWrittenAndReadBackToTheSameDocument) {
  TShownControl original;
  AddPointsSerie(original.control.Graph(), QStringLiteral("S"), {{0.2, 0.3, 0.5}});
  const QByteArray before = Saved(original.control);
  GetParam().Edit(original.control);
  const QByteArray saved = Saved(original.control);
  EXPECT_NE(saved, before);
  EXPECT_TRUE(QString::fromUtf8(saved).contains(QRegularExpression(QString::fromUtf8(GetParam().Written))))
      << saved.toStdString();

  TShownControl copy;
  Load(copy.control, saved);
  EXPECT_EQ(Saved(copy.control), saved);
}

TEST(Document, ADiagramWithoutTheAdditionsWritesNoneOfThem) {
  TShownControl shown;
  AddPointsSerie(shown.control.Graph(), QStringLiteral("S"), {{0.2, 0.3, 0.5}});
  const QString saved = QString::fromUtf8(Saved(shown.control));
  for (const char* name : {"Legend", "NameVisible", "NameFont", "Annotation"})
    EXPECT_FALSE(saved.contains(QLatin1String(name))) << name;
}

TEST(Document, ADocumentWithoutALegendHidesTheOneShown) {
  TShownControl shown;
  const QByteArray plain = Saved(shown.control);
  shown.control.Legend().SetVisible(true);
  AddAnnotation(shown.control.Graph());
  Load(shown.control, plain);
  EXPECT_FALSE(shown.control.Legend().Visible());
  EXPECT_EQ(shown.control.Graph().Annotations().Count(), 0);
}

// Values that do not convert leave their property as it was; the rest loads.
TEST(Document, UnreadableValuesOfTheAdditionsAreIgnored) {
  TShownControl shown;
  Load(shown.control,
       "<GraphControl><Legend><Visible>maybe</Visible><Position>7</Position><BackgroundColor>$12</BackgroundColor>"
       "</Legend><Graph><Series/><Annotations><Annotation><Text>t</Text><Position>1;x;0</Position>"
       "<Alignment>3</Alignment><Angle>1,5</Angle></Annotation><Other/><Annotation/></Annotations></Graph>"
       "</GraphControl>");
  const TLegend& legend = shown.control.Legend();
  EXPECT_FALSE(legend.Visible());
  EXPECT_EQ(legend.Position(), lpTopRight);
  EXPECT_EQ(legend.BackgroundColor(), 0x12u);
  ASSERT_EQ(shown.control.Graph().Annotations().Count(), 2);
  const TAnnotation& a = shown.control.Graph().Annotations().Get(0);
  EXPECT_EQ(a.Text(), QStringLiteral("t"));
  EXPECT_DOUBLE_EQ(a.Position().B, 1.0 / 3);
  EXPECT_EQ(a.Alignment(), taLeft);
  EXPECT_EQ(a.Angle(), 0.0f);
}

}  // namespace
