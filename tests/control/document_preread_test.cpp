#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "control/document_io.h"
#include "control/document_preread.h"
#include "control/graph_control.h"
#include "model/xml_document.h"

namespace {

// A diagram of one series of `type` whose <Items> element holds `items`.
std::string Diagram(const std::string& items, const std::string& type = "TPointsSerie") {
  return "<GraphControl><Graph><Series><Serie Type=\"" + type + "\"><Name>S</Name>" + items +
         "</Serie></Series></Graph></GraphControl>";
}

QByteArray Saved(const TGraphControl& control) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  control.SaveToStream(buffer);
  return buffer.data();
}

// The diagram as the whole text's parse gives it, node by node.
QByteArray LoadedNodeByNode(const std::string& text) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_buffer(text.data(), text.size(), model::kParseOptions));
  TGraphControl control;
  control.LoadFromDocument(document);
  return Saved(control);
}

QByteArray LoadedFromStream(const std::string& text) {
  QBuffer buffer;
  buffer.setData(text.data(), qsizetype(text.size()));
  buffer.open(QIODevice::ReadOnly);
  TGraphControl control;
  control.LoadFromStream(buffer);
  return Saved(control);
}

QByteArray LoadedFromFile(const std::string& text) {
  QTemporaryDir dir;
  const QString fileName = dir.filePath(QStringLiteral("d.xml"));
  QFile file(fileName);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.data(), qsizetype(text.size()));
  file.close();
  TGraphControl control;
  control.LoadFromFile(fileName);
  return Saved(control);
}

struct TPrereadCase {
  const char* Name;
  std::string Text;
  size_t CutLists;  // 0: the whole text goes to the parser
};

void PrintTo(const TPrereadCase& c, std::ostream* os) { *os << c.Name; }

const std::string kTwoPoints = "<Items><TP>0.1;0.2;0.7</TP><TP>0.3;0.3;0.4</TP></Items>";

const TPrereadCase kCases[] = {
    {"Compact", Diagram(kTwoPoints), 1},
    {"Indented", Diagram("<Items>\r\n  <TP>0.1;0.2;0.7</TP>\r\n  <TP>1e-06;1;0</TP>\r\n</Items>"), 1},
    {"EntriesThatDoNotRead",
     Diagram("<Items><TP>bad</TP><TP>1;2</TP><TP>\"0.1\";0.2;0.7</TP><TP></TP><TP>1;2;3;</TP><TC>1;2;3</TC></Items>"),
     1},
    {"BlanksInsideEntries", Diagram("<Items><TP> 0.1;\n0.2;\t0.7 </TP><TP>\n0.1;0.2;0.7</TP></Items>"), 1},
    {"CouplesOfALinesSerie",
     Diagram("<Items><TC>0.1;0.2;0.7;0.3;0.3;0.4</TC><TP>0.1;0.2;0.7</TP><TC>1;2;3;4;5</TC></Items>", "TLinesSerie"),
     1},
    {"PointsOfASurface", Diagram(kTwoPoints + "<AlphaBlending>7</AlphaBlending>", "TSurfaceSerie"), 1},
    {"CarriageReturnInAnEntry", Diagram("<Items><TP>0.1;0.2;\r0.7</TP><TP>0.1;0.2;0.7\r</TP></Items>"), 0},
    {"CommentAmongEntries", Diagram("<Items><TP>0.1;0.2;0.7</TP><!-- x --><TP>0.3;0.3;0.4</TP></Items>"), 0},
    {"ReferenceInAnEntry", Diagram("<Items><TP>&#48;.1;0.2;0.7</TP></Items>"), 0},
    {"CDataEntry", Diagram("<Items><TP><![CDATA[0.1;0.2;0.7]]></TP></Items>"), 0},
    {"EntryWithAnAttribute", Diagram("<Items><TP a=\"1\">0.1;0.2;0.7</TP></Items>"), 0},
    {"EmptyElementEntry", Diagram("<Items><TP/><TP>0.1;0.2;0.7</TP></Items>"), 0},
    {"NonAsciiInAnEntry", Diagram("<Items><TP>0.1;0.2;0.7\xC3\xA9</TP><TP>0.1;0.2;0.7</TP></Items>"), 0},
    {"BlanksOnly", Diagram("<Items>\r\n</Items>"), 0},
    {"SecondItemsElementIsIgnored", Diagram(kTwoPoints + "<Items><TP>0.5;0.5;0</TP></Items>"), 2},
    {"ItemsInAComment", Diagram("<!-- <Items><TP>0.5;0.5;0</TP></Items> -->" + kTwoPoints), 1},
    {"ItemsInAnAttribute", Diagram("<Tag a=\"<Items><TP>0.5;0.5;0</TP></Items>\"/>" + kTwoPoints), 1},
    {"ItemsInAnInstruction", Diagram("<?x <Items><TP>0.5;0.5;0</TP></Items> ?>" + kTwoPoints), 1},
    // A comment's end is looked for after the whole of its opening "<!--".
    {"ItemsInACommentOpenedWithItsEnd", Diagram("<!--> <Items><TP>0.5;0.5;0</TP></Items> -->" + kTwoPoints), 1},
    {"ItemsInACommentOpenedWithThreeHyphens", Diagram("<!---> <Items><TP>0.5;0.5;0</TP></Items> -->" + kTwoPoints), 1},
    {"CommentEndInACData", Diagram("<Note><![CDATA[ --> <Items><TP>0.5;0.5;0</TP></Items> ]]></Note>" + kTwoPoints), 1},
    {"TagEndInAnAttribute", Diagram("<Tag a=\"x>\" b=\"<!--\"/>" + kTwoPoints), 1},
    {"ItemsOfAnUnknownSerie", Diagram(kTwoPoints, "TOtherSerie"), 1},
    {"DeclarationAndByteOrderMark", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n" + Diagram(kTwoPoints),
     1},
    {"Latin1Document", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + Diagram(kTwoPoints), 0},
    {"DocumentType", "<!DOCTYPE GraphControl>" + Diagram(kTwoPoints), 0},
    {"ValuesOfThePoints", Diagram(kTwoPoints + "<Values><V>1.5</V><V>-2e-07</V></Values>"), 2},
    {"EmptyAndBadValues", Diagram(kTwoPoints + "<Values>\r\n  <V></V>\r\n  <V />\r\n  <V>x</V><V/></Values>"), 2},
    {"ValuesShorterThanThePoints", Diagram(kTwoPoints + "<Values><V>3</V></Values>"), 2},
    {"ValuesLongerThanThePoints", Diagram(kTwoPoints + "<Values><V>1</V><V>2</V><V>3</V></Values>"), 2},
    {"ValuesOfASurface",
     Diagram(kTwoPoints + "<Values><V>1</V><V>2</V></Values><FillColor>$FF00FF00</FillColor>", "TSurfaceSerie"), 2},
    {"ValuesWithAComment", Diagram(kTwoPoints + "<Values><V>1</V><!-- x --><V>2</V></Values>"), 1},
    {"ValuesWithAnotherEntry", Diagram(kTwoPoints + "<Values><V>1</V><TP>2</TP></Values>"), 1},
};

class PrereadDocument : public testing::TestWithParam<TPrereadCase> {};

INSTANTIATE_TEST_SUITE_P(Document, PrereadDocument, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// Whichever way the lists are read, the diagram is the one the parser gives.
TEST_P(PrereadDocument, LoadsTheDiagramTheParserGives) {
  const std::string& text = GetParam().Text;
  const std::optional<control::TPrereadText> preread = control::PrereadEntries(text);
  EXPECT_EQ(preread ? preread->Sets.size() : 0, GetParam().CutLists);
  const QByteArray expected = LoadedNodeByNode(text);
  EXPECT_EQ(LoadedFromStream(text), expected);
  EXPECT_EQ(LoadedFromFile(text), expected);
}

// Long lists are read in steps that release the text behind them; a list
// that turns out not to be plain after such a step sends the reread text to
// the parser, and a fault after the lists is reported where it lies.
TEST(Document, LongListsLoadWhateverFollowsThem) {
  std::string entries;
  for (int i = 0; i < 400'000; ++i) entries += "<TP>0.125;0." + std::to_string(i) + ";0.5</TP>";
  const std::string plain = Diagram("<Items>" + entries + "</Items>");
  const std::string notPlain = Diagram("<Items>" + entries + "<!-- end --></Items>");
  for (const std::string* text : {&plain, &notPlain}) {
    const QByteArray expected = LoadedNodeByNode(*text);
    EXPECT_EQ(LoadedFromFile(*text), expected);
  }
  try {
    LoadedFromFile(plain + "\r\n<GraphControl/>");
    FAIL() << "a second root was accepted";
  } catch (const TDocumentError& error) {
    const std::string expected = "line 2, column 2: more than one top-level element";
    EXPECT_NE(std::string(error.what()).find(expected), std::string::npos) << error.what();
  }
}

}  // namespace
