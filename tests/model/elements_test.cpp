#include <gtest/gtest.h>

#include <QLocale>

#include "change_counter.h"
#include "model/graph_label.h"
#include "model/graph_line_style.h"
#include "model/xml_document.h"

namespace {

pugi::xml_node Parse(pugi::xml_document& document, const char* text) {
  EXPECT_TRUE(document.load_string(text, model::kParseOptions));
  return document.first_child();
}

}  // namespace

TEST(GraphElement, BatchesReportOnceAndSilentBatchesNever) {
  TGraphFont font;
  TChangeCounter changes(font);
  font.BeginUpdate();
  font.SetSize(10);
  font.SetName("Courier");
  font.SetColor(0xFF112233);
  font.EndUpdate(false);
  EXPECT_EQ(changes.count, 1);

  font.BeginUpdate();
  font.SetSize(11);
  font.SetStyles(FontStyleBit(fsBold));
  font.EndUpdate(true);
  EXPECT_EQ(changes.count, 1);

  font.EndUpdate(false);  // unmatched: nothing
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(font.UpdateCount(), 0);
}

TEST(GraphElement, SettersWithTheCurrentValueSendNothing) {
  TGraphlabel label;
  label.SetText("B");
  TChangeCounter changes(label);
  label.SetText("B");
  label.Font().SetName("Arial");
  label.Font().SetSize(8);
  EXPECT_EQ(changes.count, 0);
  label.SetText("C");
  EXPECT_EQ(changes.count, 1);
}

TEST(GraphElement, ScopeClosesTheBatchWhenAnExceptionEscapes) {
  TGraphLineStyle style;
  TChangeCounter changes(style);
  try {
    TUpdateScope scope(style);
    style.SetSize(3);
    throw std::runtime_error("boom");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(style.UpdateCount(), 0);
  EXPECT_EQ(changes.count, 1);
}

TEST(GraphFont, DefaultsKeepStyles) {
  TGraphFont font;
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Color(), 0xFF000000u);
  EXPECT_EQ(font.Styles(), 0);
  font.SetStyles(FontStyleBit(fsBold));
  font.SetName("Courier");
  TChangeCounter changes(font);
  font.SetDefaults();
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Styles(), FontStyleBit(fsBold));
  EXPECT_EQ(font.ToGdiFontStyle(), kFontBold);
}

TEST(GraphFont, SavesAndReadsBackEqual) {
  TGraphFont font;
  font.SetStyles(FontStyleBit(fsBold) | FontStyleBit(fsUnderline));
  font.SetColor(0x80FF0000);
  font.SetName(QString::fromUtf8("Liberation Serif é"));
  pugi::xml_document document;
  pugi::xml_node node = document.append_child("Font");
  font.SaveToXML(node);
  EXPECT_EQ(*model::ChildText(node, "Size"), "8");
  EXPECT_EQ(*model::ChildText(node, "Styles"), "[fsBold,fsUnderline]");
  EXPECT_EQ(*model::ChildText(node, "Color"), "$80FF0000");
  std::vector<std::string> order;
  for (const pugi::xml_node child : node.children()) order.emplace_back(child.name());
  EXPECT_EQ(order, (std::vector<std::string>{"Color", "Name", "Size", "Styles"}));

  TGraphFont copy;
  copy.LoadFromXML(node);
  EXPECT_EQ(copy.Styles(), font.Styles());
  EXPECT_EQ(copy.Color(), font.Color());
  EXPECT_EQ(copy.Name(), font.Name());
  EXPECT_EQ(copy.Size(), 8);
}

TEST(GraphFont, ReadingIsLenientPropertyByProperty) {
  pugi::xml_document document;
  TGraphFont font;
  font.SetSize(9);
  font.SetStyles(FontStyleBit(fsItalic));
  TChangeCounter changes(font);
  font.LoadFromXML(Parse(document,
                         "<Font><Size>10.5</Size><Styles>[fsBold,fsHeavy]</Styles>"
                         "<Color>16711680</Color><Name>Courier</Name></Font>"));
  EXPECT_EQ(font.Size(), 9);                         // only whole sizes convert
  EXPECT_EQ(font.Styles(), FontStyleBit(fsItalic));  // an unknown style name
  EXPECT_EQ(font.Color(), 0x00FF0000u);              // decimal colour
  EXPECT_EQ(font.Name(), "Courier");
  EXPECT_EQ(changes.count, 1);

  font.LoadFromXML(Parse(document, "<Font><Size>10,5</Size><Styles>fsbold, fsItalic</Styles></Font>"));
  EXPECT_EQ(font.Size(), 9);
  EXPECT_EQ(font.Styles(), FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  font.LoadFromXML(Parse(document, "<Font><Color>$80FF0000</Color></Font>"));
  EXPECT_EQ(font.Color(), 0x80FF0000u);
}

TEST(GraphLineStyle, WidthsKeepThePointWhateverTheLocale) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::French));
  TGraphLineStyle style;
  style.SetSize(1.5f);
  pugi::xml_document document;
  pugi::xml_node node = document.append_child("Style");
  style.SaveToXML(node);
  EXPECT_EQ(*model::ChildText(node, "Size"), "1.5");
  TGraphLineStyle copy;
  copy.LoadFromXML(node);
  EXPECT_EQ(copy.Size(), 1.5f);

  copy.LoadFromXML(Parse(document, "<Style><Size>2,5</Size><DashStyle>9</DashStyle></Style>"));
  EXPECT_EQ(copy.Size(), 1.5f);
  EXPECT_EQ(copy.DashStyle(), 9);  // loads as it stands; draws solid
  EXPECT_EQ(copy.CreatePen().style(), Qt::SolidLine);
  QLocale::setDefault(saved);
}

TEST(GraphLabel, FragmentKeepsMissingPartsAndRoutesFontChanges) {
  TGraphlabel label;
  label.SetText("B");
  pugi::xml_document document;
  pugi::xml_node node = document.append_child("TextLabel");
  label.SaveToXML(node);
  EXPECT_EQ(*model::ChildText(node, "Text"), "B");
  const pugi::xml_node font = model::FirstChildElement(node, "Font");
  ASSERT_TRUE(font);
  EXPECT_EQ(*model::ChildText(font, "Name"), "Arial");
  EXPECT_EQ(*model::ChildText(font, "Styles"), "[]");

  label.Font().SetName("Courier");
  TChangeCounter changes(label);
  label.LoadFromXML(Parse(document, "<TextLabel><Text>A</Text></TextLabel>"));
  EXPECT_EQ(label.Text(), "A");
  EXPECT_EQ(label.Font().Name(), "Courier");
  label.LoadFromXML(Parse(document, "<TextLabel><Font><Size>12</Size></Font></TextLabel>"));
  EXPECT_EQ(label.Text(), "A");
  EXPECT_EQ(label.Font().Size(), 12);
  EXPECT_EQ(changes.count, 2);

  label.LoadFromXML(Parse(document, "<TextLabel/>"));
  EXPECT_EQ(changes.count, 3);  // an empty fragment still reports one change

  label.Font().SetColor(0xFF00FF00);
  EXPECT_EQ(changes.count, 4);
}
