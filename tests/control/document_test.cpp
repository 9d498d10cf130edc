#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "control/default_font.h"
#include "control/document_io.h"
#include "control/graph_control.h"
#include "control/xml_well_formed.h"
#include "control_fixture.h"
#include "model/graph_axe.h"
#include "model/lines_serie.h"
#include "model/surface_serie.h"
#include "model/xml_document.h"
#include "xml_reading.h"

namespace {

QByteArray ReadBytes(const QString& fileName) {
  QFile file(fileName);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
  const QByteArray bytes = file.readAll();
  if (fileName.endsWith(QLatin1String(".xml"))) {
    EXPECT_TRUE(IsWellFormedXml(bytes)) << fileName.toStdString();
  }
  return bytes;
}

void WriteBytes(const QString& fileName, const QByteArray& data) {
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(data);
}

QByteArray SavedStream(const TGraphControl& control) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  control.SaveToStream(buffer);
  EXPECT_TRUE(IsWellFormedXml(buffer.data()));
  return buffer.data();
}

void LoadText(TGraphControl& control, const QByteArray& text) {
  QBuffer buffer;
  buffer.setData(text);
  buffer.open(QIODevice::ReadOnly);
  control.LoadFromStream(buffer);
}

// A control as the application makes it: with the main window's font.
struct TNewControl {
  TGraphControl control;
  TNewControl() { control::ApplyDefaultFont(control); }
};

// A diagram that uses every kind of series, styles away from their defaults,
// a header on two lines and names outside ASCII.
void BuildRichDiagram(TGraphControl& control) {
  TControlUpdateScope scope(control);
  control.SetColor(0x00C0FFEE);
  control.MainHeader().SetCaption(QStringLiteral("Diagramme de phases\r\nSystème é, ñ, 中文"));
  control.MainHeader().Font().SetStyles(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  control.MainHeader().SetHeight(48);
  control.MainFooter().SetCaption(QStringLiteral("Pied & <page>"));
  control.MainFooter().SetVisible(false);
  TGraph& graph = control.Graph();
  graph.GetAxe(apBottom).TextLabel().SetText(QStringLiteral("SiO₂"));
  graph.GetAxe(apLeft).Ticks().SetLabelFormat(QStringLiteral("%.1f"));
  graph.GetAxe(apRight).Style().SetSize(1.5f);

  TPointsSerie& points =
      AddPointsSerie(graph, QStringLiteral("Échantillons ñ"), {{0.2, 0.3, 0.5}, {1e-6, 0.25, 0.749999}});
  points.SetDrawArrow(true);
  points.SetTag(QStringLiteral("中文 tag"));
  points.PointStyle().SetDotType(dtFilledDiamond);
  points.PointStyle().SetSize(9);
  points.LineStyle().SetColorMode(cmGradient);
  points.LineStyle().SetEndColor(0x80FF0000);
  points.LineStyle().SetWidth(2.5f);

  auto lines = std::make_unique<TLinesSerie>();
  lines->SetName(QStringLiteral("Lignes"));
  lines->Items().Add({{0.1, 0.2, 0.7}, {0.6, 0.3, 0.1}});
  lines->LineStyle().SetDashStyle(DashStyleDot);
  lines->SetFrequency(2);
  graph.AddSerie(std::move(lines));

  auto surface = std::make_unique<TSurfaceSerie>();
  surface->SetName(QStringLiteral("Zone 中文"));
  surface->Items().Add({0.1, 0.1, 0.8});
  surface->Items().Add({0.4, 0.1, 0.5});
  surface->Items().Add({0.1, 0.4, 0.5});
  surface->SetAlphaBlending(64);
  surface->SetFillColor(0xFF00FF00);
  surface->PointStyle().SetVisible(false);
  graph.AddSerie(std::move(surface));
}

}  // namespace

TEST(Document, NewDiagramIsWrittenAsTheReferenceDocument) {
  QTemporaryDir dir;
  TNewControl fresh;
  const QString fileName = dir.filePath(QStringLiteral("new.xml"));
  fresh.control.SaveToFile(fileName);
  EXPECT_EQ(ReadBytes(fileName), ReadBytes(QStringLiteral(CONTROL_TEST_DATA "/new_diagram.xml")));
}

TEST(Document, SavedThenLoadedIntoAFreshControlSavesTheSameBytes) {
  QTemporaryDir dir;
  TNewControl original;
  BuildRichDiagram(original.control);
  const QString first = dir.filePath(QStringLiteral("first.xml"));
  original.control.SaveToFile(first);

  TNewControl copy;
  copy.control.LoadFromFile(first);
  const QString second = dir.filePath(QStringLiteral("second.xml"));
  copy.control.SaveToFile(second);

  EXPECT_EQ(ReadBytes(first), ReadBytes(second));
  EXPECT_EQ(copy.control.MainHeader().Caption(), original.control.MainHeader().Caption());
  EXPECT_EQ(copy.control.Color(), 0x00C0FFEEu);
  ASSERT_EQ(copy.control.Graph().SeriesCount(), 3);
  EXPECT_EQ(copy.control.Graph().GetSerie(0).Name(), QStringLiteral("Échantillons ñ"));
  EXPECT_EQ(copy.control.Graph().GetSerie(2).Name(), QStringLiteral("Zone 中文"));
}

TEST(Document, TheStreamFormIsCompactAndReadsBackTheSame) {
  TNewControl original;
  BuildRichDiagram(original.control);
  const QByteArray compact = SavedStream(original.control);
  EXPECT_TRUE(compact.startsWith("<GraphControl><BackgroundColor>$C0FFEE</BackgroundColor><MainHeader>"));
  // No line breaks between elements; the caption's CR is a character reference.
  EXPECT_FALSE(compact.contains(">\n"));
  EXPECT_FALSE(compact.contains('\r'));
  TNewControl copy;
  LoadText(copy.control, compact);
  EXPECT_EQ(SavedStream(copy.control), compact);
}

TEST(Document, BackgroundColorHasAtLeastFourHexDigits) {
  TNewControl fresh;
  fresh.control.SetColor(0);
  EXPECT_TRUE(SavedStream(fresh.control).contains("<BackgroundColor>$0000</BackgroundColor>"));
  fresh.control.SetColor(0x0000FF);
  EXPECT_TRUE(SavedStream(fresh.control).contains("<BackgroundColor>$00FF</BackgroundColor>"));
}

TEST(Document, OnlyABackgroundColorChangesOnlyTheBackground) {
  TNewControl fresh;
  TGraphControl& control = fresh.control;
  control.MainHeader().SetCaption(QStringLiteral("Kept"));
  control.MainFooter().SetHeight(40);
  AddPointsSerie(control.Graph(), QStringLiteral("S"), {{0.2, 0.3, 0.5}});
  LoadText(control, "<GraphControl><BackgroundColor>$0000FF</BackgroundColor></GraphControl>");
  EXPECT_EQ(control.Color(), 0x0000FFu);  // red: the toolkit colour has red in its low byte
  EXPECT_EQ(geometry::ArgbFromToolkitColor(control.Color()), 0xFFFF0000u);
  EXPECT_EQ(control.MainHeader().Caption(), QStringLiteral("Kept"));
  EXPECT_EQ(control.MainFooter().Height(), 40);
  EXPECT_EQ(control.Graph().SeriesCount(), 1);
}

TEST(Document, TheRootNameIsNotChecked) {
  TNewControl fresh;
  LoadText(fresh.control,
           "<Diagram><BackgroundColor>255</BackgroundColor><MainHeader><Caption>Titre</Caption></MainHeader>"
           "<MainFooter><Visible>0</Visible></MainFooter></Diagram>");
  EXPECT_EQ(fresh.control.Color(), 255u);
  EXPECT_EQ(fresh.control.MainHeader().Caption(), QStringLiteral("Titre"));
  EXPECT_FALSE(fresh.control.MainFooter().Visible());
}

TEST(Document, AnUnreadableBackgroundColorIsIgnored) {
  TNewControl fresh;
  fresh.control.SetColor(0x123456);
  LoadText(fresh.control, "<GraphControl><BackgroundColor>blue</BackgroundColor></GraphControl>");
  EXPECT_EQ(fresh.control.Color(), 0x123456u);
}

TEST(Document, AGraphElementReplacesTheSeries) {
  TNewControl fresh;
  AddPointsSerie(fresh.control.Graph(), QStringLiteral("Old"), {{0.2, 0.3, 0.5}});
  LoadText(fresh.control,
           "<GraphControl><Graph><Series><Serie Type=\"TLinesSerie\"><Name>New</Name></Serie></Series></Graph>"
           "</GraphControl>");
  ASSERT_EQ(fresh.control.Graph().SeriesCount(), 1);
  EXPECT_EQ(fresh.control.Graph().GetSerie(0).Name(), QStringLiteral("New"));
}

TEST(Document, ATruncatedFileIsRefusedAndTheDiagramStaysAsItWas) {
  QTemporaryDir dir;
  TNewControl source;
  BuildRichDiagram(source.control);
  const QString fileName = dir.filePath(QStringLiteral("truncated.xml"));
  source.control.SaveToFile(fileName);
  QByteArray text = ReadBytes(fileName);
  text.truncate(text.size() / 2);
  WriteBytes(fileName, text);

  TNewControl target;
  target.control.MainHeader().SetCaption(QStringLiteral("Before"));
  const QByteArray before = SavedStream(target.control);
  try {
    target.control.LoadFromFile(fileName);
    FAIL() << "a truncated document was accepted";
  } catch (const TDocumentError& error) {
    const QString message = QString::fromUtf8(error.what());
    EXPECT_TRUE(message.contains(fileName)) << error.what();
    EXPECT_TRUE(message.contains(QStringLiteral("line"))) << error.what();
  }
  EXPECT_EQ(SavedStream(target.control), before);
}

TEST(Document, TheErrorGivesTheLineAndColumnOfTheFault) {
  TNewControl fresh;
  try {
    LoadText(fresh.control, "<GraphControl>\r\n  <MainHeader>\r\n    <Caption>x</Capt>\r\n");
    FAIL() << "a malformed document was accepted";
  } catch (const TDocumentError& error) {
    EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("line 3, column"))) << error.what();
  }
}

// Texts that pugixml would read in part, so that the next save would drop
// the rest without a word.
struct TNotWellFormed {
  const char* Name;
  const char* Text;
  control::TXmlFaultKind Kind;
  const char* Position;
  const char* Attribute = "";  // the attribute given twice
};

void PrintTo(const TNotWellFormed& c, std::ostream* os) { *os << c.Name; }

class NotWellFormedDocument : public testing::TestWithParam<TNotWellFormed> {};

using TKind = control::TXmlFaultKind;

const TNotWellFormed kNotWellFormed[] = {
    {"SecondRoot", "<GraphControl/>\r\n<GraphControl><BackgroundColor>$FF</BackgroundColor></GraphControl>",
     TKind::SecondRoot, "line 2, column 2"},
    {"ElementAfterTheRoot", "<GraphControl/><Graph/>", TKind::SecondRoot, "column 17"},
    {"TextAfterTheRoot", "<GraphControl/>\r\ntrailing", TKind::TextOutsideRoot, "line 2, column 1"},
    {"TextBeforeTheRoot", "leading<GraphControl/>", TKind::TextOutsideRoot, "line 1, column 1"},
    {"DuplicateAttribute",
     "<GraphControl><Graph><Axes><Axe Position=\"0\" Position=\"1\"/></Axes></Graph></GraphControl>",
     TKind::DuplicateAttribute, "column 29", "Position"},
    {"UndeclaredEntity", "<GraphControl><MainHeader><Caption>&nbsp;</Caption></MainHeader></GraphControl>",
     TKind::UndeclaredEntity, "column 36"},
    {"EntityOfTheDocumentType",
     "<!DOCTYPE GraphControl [<!ENTITY t \"Title\">]><GraphControl><MainHeader><Caption>&t;</Caption></MainHeader>"
     "</GraphControl>",
     TKind::UndeclaredEntity, "column 81"},
    {"BareAmpersand", "<GraphControl><MainHeader><Caption>R & D</Caption></MainHeader></GraphControl>",
     TKind::BareAmpersand, "column 38"},
    {"NullCharacterReference", "<GraphControl><MainHeader><Caption>a&#0;b</Caption></MainHeader></GraphControl>",
     TKind::InvalidCharacterReference, "column 37"},
    {"SurrogateReference", "<GraphControl><MainHeader><Caption>&#xD800;</Caption></MainHeader></GraphControl>",
     TKind::InvalidCharacterReference, "column 36"},
    {"ReferenceBeyondUnicode", "<GraphControl><MainHeader><Caption>&#1114112;</Caption></MainHeader></GraphControl>",
     TKind::InvalidCharacterReference, "column 36"},
    {"AmpersandInAnAttribute", "<GraphControl><Graph><Series><Serie Type=\"T&Serie\"/></Series></Graph></GraphControl>",
     TKind::BareAmpersand, "column 44"},
    {"Latin1Bytes", "<GraphControl><MainHeader><Caption>Syst\xE8me</Caption></MainHeader></GraphControl>",
     TKind::NotUtf8, "column 40"},
    {"RawControlCharacter", "<GraphControl><MainHeader><Caption>a\x01</Caption></MainHeader></GraphControl>",
     TKind::ForbiddenCharacter, "column 37"},
    // Quotes and brackets inside a comment of the document type are no part of its structure.
    {"BareAmpersandAfterAQuoteInTheDocumentType",
     "<!DOCTYPE GraphControl [<!-- ' -->]><GraphControl><MainHeader><Caption>R & D</Caption></MainHeader>"
     "</GraphControl>",
     TKind::BareAmpersand, "column 74"},
    {"BareAmpersandAfterABracketInTheDocumentType",
     "<!DOCTYPE GraphControl [<!-- [ -->]><GraphControl><MainHeader><Caption>R & D</Caption></MainHeader>"
     "</GraphControl>",
     TKind::BareAmpersand, "column 74"},
};

INSTANTIATE_TEST_SUITE_P(Document, NotWellFormedDocument, testing::ValuesIn(kNotWellFormed),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_P(NotWellFormedDocument, IsRefusedWithThePositionAndTheDiagramStaysAsItWas) {
  const std::string_view text = GetParam().Text;
  pugi::xml_document parsed;
  ASSERT_TRUE(parsed.load_buffer(text.data(), text.size(), model::kParseOptions | pugi::parse_fragment));
  const std::optional<control::TXmlFault> fault = control::FindWellFormednessFault(text, parsed);
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->Kind, GetParam().Kind);
  EXPECT_EQ(fault->Attribute, GetParam().Attribute);
  TNewControl target;
  target.control.MainHeader().SetCaption(QStringLiteral("Before"));
  const QByteArray before = SavedStream(target.control);
  try {
    LoadText(target.control, GetParam().Text);
    FAIL() << "a document that is not well-formed was accepted";
  } catch (const TDocumentError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find(GetParam().Position + (": " + control::Describe(*fault))), std::string::npos) << message;
  }
  EXPECT_EQ(SavedStream(target.control), before);
}

// What XML allows, and the control characters that earlier versions of the
// program wrote as references, still open.
struct TWellFormed {
  const char* Name;
  const char* Text;
  const char* Caption;
};

void PrintTo(const TWellFormed& c, std::ostream* os) { *os << c.Name; }

class WellFormedDocument : public testing::TestWithParam<TWellFormed> {};

const TWellFormed kWellFormed[] = {
    {"MarkupAndEarlierControlCharacterReferences",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- a & b --><!DOCTYPE GraphControl>"
     "<GraphControl><MainHeader><Note "
     "a=\"&amp;\"><![CDATA[&x]]></Note><Caption>&amp;&lt;&gt;&apos;&quot;&#233;&#x4E2D;&#1;</Caption>"
     "</MainHeader><?pi & ?></GraphControl>\r\n<!-- after -->\r\n",
     "&<>'\"é中\x01"},
    // A comment's end is looked for after the whole of its opening "<!--".
    {"CommentOpenedWithItsEnd",
     "<!--> R & D --><GraphControl><MainHeader><Caption>R &amp; D</Caption></MainHeader>"
     "</GraphControl>",
     "R & D"},
    {"CommentOpenedWithThreeHyphens",
     "<GraphControl><!---> R & D --><MainHeader><Caption>R</Caption></MainHeader>"
     "</GraphControl>",
     "R"},
    {"CommentEndInACData",
     "<GraphControl><MainHeader><Caption><![CDATA[a --> & b]]></Caption></MainHeader>"
     "</GraphControl>",
     "a --> & b"},
    {"TagEndInAnAttribute",
     "<GraphControl><MainHeader><Note a=\"x > &amp; <!--\"/><Caption>R &amp; D</Caption>"
     "<Note a='-->'/></MainHeader></GraphControl>",
     "R & D"},
};

INSTANTIATE_TEST_SUITE_P(Document, WellFormedDocument, testing::ValuesIn(kWellFormed),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_P(WellFormedDocument, Loads) {
  TNewControl fresh;
  LoadText(fresh.control, GetParam().Text);
  EXPECT_EQ(fresh.control.MainHeader().Caption(), QString::fromUtf8(GetParam().Caption));
}

TEST(Document, TextWithoutARootElementIsRefused) {
  TNewControl fresh;
  EXPECT_THROW(LoadText(fresh.control, ""), TDocumentError);
  EXPECT_THROW(LoadText(fresh.control, "<!-- nothing -->"), TDocumentError);
}

TEST(Document, AMissingFileIsRefusedByName) {
  QTemporaryDir dir;
  TNewControl fresh;
  const QString fileName = dir.filePath(QStringLiteral("absent.xml"));
  try {
    fresh.control.LoadFromFile(fileName);
    FAIL() << "a missing file was accepted";
  } catch (const TDocumentError& error) {
    EXPECT_TRUE(QString::fromUtf8(error.what()).contains(fileName)) << error.what();
  }
}

TEST(Document, AFailedSaveRaisesAndLeavesTheOldFile) {
  QTemporaryDir dir;
  TNewControl fresh;
  EXPECT_THROW(fresh.control.SaveToFile(dir.filePath(QStringLiteral("no/such/folder/file.xml"))), TDocumentError);
  // Saving over a folder fails; the folder and what it holds stay.
  const QString folder = dir.filePath(QStringLiteral("folder"));
  ASSERT_TRUE(QDir().mkpath(folder));
  WriteBytes(folder + QStringLiteral("/inside.txt"), "kept");
  EXPECT_THROW(fresh.control.SaveToFile(folder), TDocumentError);
  EXPECT_EQ(ReadBytes(folder + QStringLiteral("/inside.txt")), QByteArray("kept"));
}

TEST(Document, ASaveOverAnExistingFileReplacesIt) {
  QTemporaryDir dir;
  const QString fileName = dir.filePath(QStringLiteral("old.xml"));
  WriteBytes(fileName, "old content");
  TNewControl fresh;
  fresh.control.SaveToFile(fileName);
  EXPECT_TRUE(ReadBytes(fileName).startsWith("<GraphControl>\r\n"));
}

TEST(Document, RealNumbersUseAPointWhateverTheUserLocale) {
  TDefaultLocaleScope german(QLocale(QLocale::German, QLocale::Germany));
  TNewControl fresh;
  fresh.control.Graph().GetAxe(apLeft).Style().SetSize(1.5f);
  const QByteArray text = SavedStream(fresh.control);
  EXPECT_TRUE(text.contains("<Size>1.5</Size>"));
  TNewControl copy;
  LoadText(copy.control, text);
  EXPECT_EQ(copy.control.Graph().GetAxe(apLeft).Style().Size(), 1.5f);
  EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
}

TEST(Document, AFontSizeThatCouldNotBeReadBackIsIgnored) {
  TNewControl fresh;
  LoadText(fresh.control, "<GraphControl><MainHeader><Font><Size>2147483647</Size></Font></MainHeader></GraphControl>");
  EXPECT_EQ(fresh.control.MainHeader().Font().Size(), 8.0f);
  // The largest size a float holds within the integer range survives a round trip.
  LoadText(fresh.control, "<GraphControl><MainHeader><Font><Size>2147483520</Size></Font></MainHeader></GraphControl>");
  const QByteArray saved = SavedStream(fresh.control);
  TNewControl copy;
  LoadText(copy.control, saved);
  EXPECT_EQ(copy.control.MainHeader().Font().Size(), 2147483520.0f);
  EXPECT_EQ(SavedStream(copy.control), saved);
}

TEST(Document, AHostCanEmbedTheDiagramInItsOwnDocument) {
  TNewControl original;
  BuildRichDiagram(original.control);
  pugi::xml_document host;
  pugi::xml_node diagram = host.append_child("Project").append_child("Diagram");
  original.control.SaveToXML(diagram);
  EXPECT_TRUE(model::FirstChildElement(diagram, "Graph"));

  TNewControl copy;
  copy.control.LoadFromXML(diagram);
  EXPECT_EQ(SavedStream(copy.control), SavedStream(original.control));
}

TEST(Document, LoadingDoesNotResetTheInteractionSettings) {
  TNewControl fresh;
  fresh.control.SetInteractMode(imZoomIn);
  fresh.control.SetValueFormatString(QStringLiteral("%.2f"));
  LoadText(fresh.control, SavedStream(TNewControl().control));
  EXPECT_EQ(fresh.control.InteractMode(), imZoomIn);
  EXPECT_EQ(fresh.control.ValueFormatString(), QStringLiteral("%.2f"));
}
