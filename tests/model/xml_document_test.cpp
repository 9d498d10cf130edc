#include <gtest/gtest.h>

#include "model/xml_document.h"
#include "xml_reading.h"

using namespace model;

namespace {

std::string Write(const pugi::xml_document& document, TXmlLayout layout) {
  std::string out;
  WriteDocument(document, out, layout);
  EXPECT_TRUE(IsWellFormedXml(out));
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

// XML 1.0 cannot hold these at all, not even as references: each is written
// as U+FFFD so that the saved document stays readable by every parser.
TEST(XmlDocument, CharactersXmlCannotHoldAreWrittenAsReplacementCharacters) {
  const struct {
    std::string_view text;
    std::string_view written;
  } cases[] = {
      {std::string_view("a\x01"
                        "b",
                        3),
       "a\xEF\xBF\xBD"
       "b"},
      {std::string_view("\x1F\x0B\x0C", 3), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"x\xEF\xBF\xBEy\xEF\xBF\xBF", "x\xEF\xBF\xBDy\xEF\xBF\xBD"},                              // U+FFFE, U+FFFF
      {"Syst\xE8me", "Syst\xEF\xBF\xBDme"},                                                      // Latin-1, not UTF-8
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},                                  // an encoded surrogate
      {"\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\x7F", "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\x7F"},  // é 中 😀 DEL stay
  };
  for (const auto& c : cases) {
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("Root");
    AppendTextElement(root, "Caption", c.text);
    root.append_attribute("Note").set_value(std::string(c.text).c_str());
    root.append_child(pugi::node_comment).set_value(std::string(c.text).c_str());
    const std::string written = Write(document, TXmlLayout::Compact);
    const std::string expected = "<Root Note=\"" + std::string(c.written) + "\"><Caption>" + std::string(c.written) +
                                 "</Caption><!--" + std::string(c.written) + "--></Root>";
    EXPECT_EQ(written, expected);
  }
}

TEST(XmlDocument, CommentsNeverHoldADoubleHyphen) {
  pugi::xml_document document;
  document.append_child("Root").append_child(pugi::node_comment).set_value("a--b---");
  EXPECT_EQ(Write(document, TXmlLayout::Compact), "<Root><!--a- -b- - - --></Root>");
}
