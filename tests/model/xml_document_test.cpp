#include <gtest/gtest.h>

#include "model/xml_document.h"

using namespace model;

namespace {

std::string Write(const pugi::xml_document& document, TXmlLayout layout) {
  std::string out;
  WriteDocument(document, out, layout);
  return out;
}

pugi::xml_document Sample() {
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("GraphControl");
  AppendTextElement(root, "BackgroundColor", std::string_view("$FFFFFF"));
  pugi::xml_node header = AppendElement(root, "MainHeader");
  AppendTextElement(header, "Caption", std::string_view(""));
  AppendTextElement(header, "Height", std::string_view("25"));
  pugi::xml_node axe = AppendElement(root, "Axe");
  axe.append_attribute("Position").set_value("0");
  return document;
}

}  // namespace

TEST(XmlDocument, IndentedFormUsesTwoSpacesAndCrLf) {
  EXPECT_EQ(Write(Sample(), TXmlLayout::Indented),
            "<GraphControl>\r\n"
            "  <BackgroundColor>$FFFFFF</BackgroundColor>\r\n"
            "  <MainHeader>\r\n"
            "    <Caption/>\r\n"
            "    <Height>25</Height>\r\n"
            "  </MainHeader>\r\n"
            "  <Axe Position=\"0\"/>\r\n"
            "</GraphControl>\r\n");
}

TEST(XmlDocument, CompactFormHasNoLineBreaks) {
  EXPECT_EQ(Write(Sample(), TXmlLayout::Compact),
            "<GraphControl><BackgroundColor>$FFFFFF</BackgroundColor><MainHeader><Caption/><Height>25</Height>"
            "</MainHeader><Axe Position=\"0\"/></GraphControl>");
}

TEST(XmlDocument, CarriageReturnsAndMarkupSurviveARoundTrip) {
  const std::string text = "Line one\r\nLine <two> & \"three\"\r\n\tend";
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("Root");
  AppendTextElement(root, "Caption", std::string_view(text));
  root.append_attribute("Note").set_value(text.c_str());
  for (const TXmlLayout layout : {TXmlLayout::Indented, TXmlLayout::Compact}) {
    const std::string written = Write(document, layout);
    pugi::xml_document reread;
    ASSERT_TRUE(reread.load_buffer(written.data(), written.size(), kParseOptions));
    EXPECT_EQ(*ChildText(reread.child("Root"), "Caption"), text);
    EXPECT_STREQ(reread.child("Root").attribute("Note").value(), text.c_str());
  }
}

TEST(XmlDocument, BlankTextsAndNonAsciiSurvive) {
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("Root");
  AppendTextElement(root, "Blank", std::string_view("   "));
  AppendTextElement(root, "Name", QString::fromUtf8("é ñ 中文"));
  const std::string written = Write(document, TXmlLayout::Indented);
  pugi::xml_document reread;
  ASSERT_TRUE(reread.load_buffer(written.data(), written.size(), kParseOptions));
  EXPECT_EQ(*ChildText(reread.child("Root"), "Blank"), "   ");
  EXPECT_EQ(*ChildQString(reread.child("Root"), "Name"), QString::fromUtf8("é ñ 中文"));
}

TEST(XmlDocument, ChildLookupTakesOnlyElementsByExactName) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string("<R><!--Size--><size>1</size><Size>2</Size><Size>3</Size></R>"));
  const pugi::xml_node root = document.child("R");
  EXPECT_EQ(*ChildText(root, "Size"), "2");
  EXPECT_FALSE(ChildText(root, "Missing").has_value());
  EXPECT_FALSE(FirstChildElement(root, "SIZE"));
}
