#include <gtest/gtest.h>

#include <string>

#include "change_counter.h"
#include "control/control_label.h"
#include "model/xml_document.h"
#include "xml_reading.h"

namespace {

std::string Fragment(const TControlLabel& label) {
  pugi::xml_document document;
  label.SaveToXML(document.append_child("MainHeader"));
  std::string text;
  model::WriteDocument(document, text, model::TXmlLayout::Compact);
  EXPECT_TRUE(IsWellFormedXml(text));
  return text;
}

void Load(TControlLabel& label, const char* fragment) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(fragment, model::kParseOptions));
  label.LoadFromXML(document.document_element());
}

}  // namespace

TEST(ControlLabel, StartsEmptyVisibleAndTwentyFivePixelsHigh) {
  TControlLabel label;
  EXPECT_EQ(label.Caption(), QString());
  EXPECT_TRUE(label.Visible());
  EXPECT_EQ(label.Height(), 25);
  EXPECT_EQ(label.Font().Name(), QStringLiteral("Arial"));
}

TEST(ControlLabel, EachEditIsOneChangeAndRepeatingAValueIsNone) {
  TControlLabel label;
  TChangeCounter changes(label);
  label.SetCaption(QStringLiteral("Title"));
  label.SetHeight(40);
  label.SetVisible(false);
  label.Font().SetSize(14);
  EXPECT_EQ(changes.count, 4);
  label.SetCaption(QStringLiteral("Title"));
  label.SetHeight(40);
  label.SetVisible(false);
  EXPECT_EQ(changes.count, 4);
}

TEST(ControlLabel, SetDefaultsIsOneChangeAndResetsEverything) {
  TControlLabel label;
  label.SetCaption(QStringLiteral("Title"));
  label.SetHeight(40);
  label.SetVisible(false);
  label.Font().SetName(QStringLiteral("Courier"));
  TChangeCounter changes(label);
  label.SetDefaults();
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(label.Caption(), QString());
  EXPECT_EQ(label.Height(), 25);
  EXPECT_TRUE(label.Visible());
  EXPECT_EQ(label.Font().Name(), QStringLiteral("Arial"));
}

TEST(ControlLabel, WritesCaptionHeightVisibleAndFontInThisOrder) {
  TControlLabel label;
  EXPECT_EQ(Fragment(label),
            "<MainHeader><Caption/><Height>25</Height><Visible>True</Visible><Font><Color>$FF000000</Color>"
            "<Name>Arial</Name><Size>8</Size><Styles>[]</Styles></Font></MainHeader>");
}

struct LabelValueCase {
  const char* fragment;
  int32_t height;
  bool visible;
};

class ControlLabelValues : public ::testing::TestWithParam<LabelValueCase> {};

TEST_P(ControlLabelValues, ConvertOrKeepTheOldValue) {
  TControlLabel label;
  label.SetHeight(30);
  Load(label, GetParam().fragment);
  EXPECT_EQ(label.Height(), GetParam().height);
  EXPECT_EQ(label.Visible(), GetParam().visible);
}

INSTANTIATE_TEST_SUITE_P(Loading, ControlLabelValues,
                         ::testing::Values(LabelValueCase{"<L><Height>abc</Height></L>", 30, true},
                                           LabelValueCase{"<L><Height>$20</Height></L>", 32, true},
                                           LabelValueCase{"<L><Height> 12</Height></L>", 12, true},
                                           LabelValueCase{"<L><Visible>0</Visible></L>", 30, false},
                                           LabelValueCase{"<L><Visible>false</Visible></L>", 30, false},
                                           LabelValueCase{"<L><Visible>yes</Visible></L>", 30, true},
                                           LabelValueCase{"<L><Visible>TRUE</Visible><Height>7</Height></L>", 7,
                                                          true}));

TEST(ControlLabel, LoadingKeepsWhatTheFragmentOmitsAndIsOneChange) {
  TControlLabel label;
  label.SetCaption(QStringLiteral("Kept"));
  label.Font().SetName(QStringLiteral("Courier"));
  TChangeCounter changes(label);
  Load(label, "<L><Height>50</Height><Font><Size>12</Size></Font></L>");
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(label.Caption(), QStringLiteral("Kept"));
  EXPECT_EQ(label.Height(), 50);
  EXPECT_EQ(label.Font().Name(), QStringLiteral("Courier"));
  EXPECT_EQ(label.Font().Size(), 12.0f);
}

TEST(ControlLabel, AnEmptyCaptionElementEmptiesTheCaption) {
  TControlLabel label;
  label.SetCaption(QStringLiteral("Old"));
  Load(label, "<L><Caption/></L>");
  EXPECT_EQ(label.Caption(), QString());
}
