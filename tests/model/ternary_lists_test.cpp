#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <functional>

#include "change_counter.h"
#include "model/field_splitter.h"
#include "model/ternary_lists.h"
#include "model/xml_document.h"

namespace {

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const TListError& error) {
    return error.what();
  }
  return "no error";
}

pugi::xml_node Parse(pugi::xml_document& document, const char* text) {
  EXPECT_TRUE(document.load_string(text, model::kParseOptions));
  return document.first_child();
}

}  // namespace

TEST(TernaryList, GrowthSequence) {
  TTernaryPointList list;
  std::vector<int32_t> capacities;
  for (int i = 0; i < 120; ++i) {
    list.Add({double(i), 0, 0});
    if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
  EXPECT_EQ(list.Get(119).A, 119);
}

TEST(TernaryList, ErrorsCarryTheValueAndLeaveTheListUnchanged) {
  TTernaryPointList list;
  list.Add({0.2, 0.3, 0.5});
  EXPECT_EQ(ErrorOf([&] { list.Get(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(ErrorOf([&] { list.Get(1); }), "List index out of bounds (1)");
  EXPECT_EQ(ErrorOf([&] { list.Delete(5); }), "List index out of bounds (5)");
  EXPECT_EQ(ErrorOf([&] { list.SetCount(-2); }), "List count out of bounds (-2)");
  EXPECT_EQ(ErrorOf([&] { list.SetCount(134217728); }), "List count out of bounds (134217728)");
  EXPECT_EQ(ErrorOf([&] { list.SetCapacity(0); }), "List capacity out of bounds (0)");
  EXPECT_EQ(ErrorOf([&] { list.SetCapacity(134217728); }), "List capacity out of bounds (134217728)");
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Capacity(), 4);
  EXPECT_EQ(list.Get(0), (TTernaryPoint{0.2, 0.3, 0.5}));
  EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(TernaryList, SetCountZeroFillsAndShrinksFromTheEnd) {
  TTernaryPointList list;
  list.SetCount(3);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(2), (TTernaryPoint{0, 0, 0}));

  TTernaryPointList five;
  for (int i = 0; i < 5; ++i) five.Add({double(i), 1, 2});
  TChangeCounter changes(five);
  five.SetCount(0);
  EXPECT_EQ(changes.count, 5);
  EXPECT_EQ(five.Count(), 0);

  five.Add({1, 1, 1});
  five.Clear();
  EXPECT_EQ(five.Count(), 0);
  EXPECT_EQ(five.Capacity(), 0);
}

TEST(TernaryList, DeleteMovesLaterItemsDown) {
  TTernaryCoupleList list;
  for (int i = 0; i < 4; ++i) list.Add({{double(i), 0, 0}, {0, double(i), 0}});
  TChangeCounter changes(list);
  list.Delete(1);
  EXPECT_EQ(changes.count, 1);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(0).P1.A, 0);
  EXPECT_EQ(list.Get(1).P1.A, 2);
  EXPECT_EQ(list.Get(2).P2.B, 3);
}

TEST(TernaryList, SavesItemsWithAPointAndReadsThemBack) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::French));
  TTernaryPointList list;
  list.Add({0.2, 0.3, 0.5});
  list.Add({1e-6, 1, 0});
  pugi::xml_document document;
  pugi::xml_node items = document.append_child("Items");
  list.SaveToXML(items);
  EXPECT_STREQ(items.first_child().name(), "TP");
  EXPECT_EQ(std::string(items.first_child().text().get()), "0.2;0.3;0.5");
  EXPECT_EQ(std::string(items.last_child().text().get()), "1e-06;1;0");

  TTernaryPointList copy;
  copy.Add({9, 9, 9});
  TChangeCounter changes(copy);
  copy.LoadFromXML(items);
  EXPECT_EQ(changes.count, 1);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Get(0), list.Get(0));
  EXPECT_EQ(copy.Get(1), list.Get(1));
  QLocale::setDefault(saved);
}

TEST(TernaryList, LoadingSkipsMalformedEntries) {
  pugi::xml_document document;
  TTernaryPointList list;
  list.LoadFromXML(Parse(document,
                         "<Items><TP>0.2;0.3;0.5</TP><TP>0.2 0.3 0.5</TP><TP>0.2; 0.3 ;0.5</TP>"
                         "<TP>0.2;0.3;0.5;</TP><TP>0.2;;0.5</TP><TP>0.2;0.3</TP><TP>x;0.3;0.5</TP>"
                         "<TP>0,2;0,3;0,5</TP><Other>1;2;3</Other><!-- 1;2;3 --><TC>1;2;3</TC>"
                         "<TP>\"0.1\";0.2;0.7</TP></Items>"));
  ASSERT_EQ(list.Count(), 4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.Get(i), (TTernaryPoint{0.2, 0.3, 0.5}));
  EXPECT_EQ(list.Get(3), (TTernaryPoint{0.1, 0.2, 0.7}));
}

TEST(TernaryList, CouplesNeedSixValues) {
  pugi::xml_document document;
  TTernaryCoupleList list;
  list.LoadFromXML(
      Parse(document, "<Items><TC>1;2;3;4;5</TC><TC>1;2;3;4;5;6;7</TC><TC>0.1;0.2;0.7;0.3;0.3;0.4</TC></Items>"));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Get(0), (TTernaryCouple{{0.1, 0.2, 0.7}, {0.3, 0.3, 0.4}}));
  pugi::xml_node items = document.append_child("Out");
  list.SaveToXML(items);
  EXPECT_EQ(std::string(items.first_child().text().get()), "0.1;0.2;0.7;0.3;0.3;0.4");
}

TEST(FieldSplitter, SplittingRules) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"0.2;0.3;0.5", {"0.2", "0.3", "0.5"}},
      {"  0.2 0.3\t0.5\r\n", {"0.2", "0.3", "0.5"}},
      {"0.2; 0.3 ;0.5", {"0.2", "0.3", "0.5"}},
      {"0.2;0.3;", {"0.2", "0.3", ""}},
      {"0.2;;0.5", {"0.2", "", "0.5"}},
      {"\"a;b\";\"say \"\"hi\"\"\"", {"a;b", "say \"hi\""}},
      {"\"unclosed", {"unclosed"}},
      {"", {}},
      {"   ", {}},
      {";", {"", ""}},
  };
  std::vector<std::string> fields;
  for (const auto& [text, expected] : cases) {
    model::SplitFields(text, fields);
    EXPECT_EQ(fields, expected) << text;
  }
  model::SplitFields(std::string_view("1;2\0;3", 6), fields);
  EXPECT_EQ(fields, (std::vector<std::string>{"1", "2"}));
}

namespace {

// A list saved inside a small document, its entries as nodes or streamed.
template <typename TList>
std::string SavedDocument(const TList& list, model::TXmlLayout layout, bool streamed) {
  pugi::xml_document document;
  pugi::xml_node serie = document.append_child("Root").append_child("Serie");
  model::AppendTextElement(serie, "Name", std::string_view("before"));
  model::TStreamedChildren entries;
  list.SaveToXML(serie.append_child("Items"), streamed ? &entries : nullptr);
  model::AppendTextElement(serie, "Tag", std::string_view("after"));
  std::string text;
  model::WriteDocument(document, text, layout, &entries);
  return text;
}

}  // namespace

TEST(TernaryList, StreamedEntriesAreWrittenLikeNodes) {
  TTernaryPointList points;
  for (const TTernaryPoint& p : std::vector<TTernaryPoint>{{0.2, 0.3, 0.5}, {1e-6, 1, 0}, {1.0 / 3, -2e20, 7}})
    points.Add(p);
  TTernaryCoupleList couples;
  couples.Add({{0.1, 0.2, 0.7}, {0.3, 0.3, 0.4}});
  const TTernaryPointList empty;
  for (const auto layout : {model::TXmlLayout::Indented, model::TXmlLayout::Compact}) {
    SCOPED_TRACE(int(layout));
    EXPECT_EQ(SavedDocument(points, layout, true), SavedDocument(points, layout, false));
    EXPECT_EQ(SavedDocument(couples, layout, true), SavedDocument(couples, layout, false));
    EXPECT_EQ(SavedDocument(empty, layout, true), SavedDocument(empty, layout, false));
  }
  EXPECT_NE(SavedDocument(points, model::TXmlLayout::Indented, true).find("\r\n      <TP>1e-06;1;0</TP>\r\n"),
            std::string::npos);
}

namespace {

// The values of `list` as text, "-" for an item without one.
std::string ValuesText(const TTernaryPointList& list) {
  std::string text;
  for (int32_t i = 0; i < list.Count(); ++i) {
    const double v = list.Value(i);
    text += (std::isnan(v) ? std::string("-") : std::to_string(int(v))) + " ";
  }
  return text + (list.HasValues() ? "has" : "none");
}

}  // namespace

// The values stay aligned with the items through every edit of the list.
TEST(TernaryList, ValuesFollowTheItems) {
  const double none = std::nan("");
  struct TCase {
    const char* Name;
    std::function<void(TTernaryPointList&)> Edit;
    const char* Values;
  };
  const TCase cases[] = {
      {"Untouched", [](TTernaryPointList&) {}, "1 - 3 has"},
      {"AddWithout",
       [](TTernaryPointList& l) {
         l.Add({1, 1, 1});
       },
       "1 - 3 - has"},
      {"AddWith",
       [](TTernaryPointList& l) {
         l.Add({1, 1, 1}, 7);
       },
       "1 - 3 7 has"},
      {"DeleteFirst", [](TTernaryPointList& l) { l.Delete(0); }, "- 3 has"},
      {"DeleteMiddle", [](TTernaryPointList& l) { l.Delete(1); }, "1 3 has"},
      {"Grow", [](TTernaryPointList& l) { l.SetCount(4); }, "1 - 3 - has"},
      {"Shrink", [](TTernaryPointList& l) { l.SetCount(1); }, "1 has"},
      {"ClearAll", [](TTernaryPointList& l) { l.Clear(); }, "none"},
      {"PutNone", [=](TTernaryPointList& l) { l.PutValue(0, none); }, "- - 3 has"},
      {"PutInfinity", [](TTernaryPointList& l) { l.PutValue(2, HUGE_VAL); }, "1 - - has"},
      {"SwapItemsOnly",
       [](TTernaryPointList& l) {
         std::vector<TTernaryPoint> items{{1, 0, 0}};
         l.SwapItems(items);
       },
       "- none"},
      {"SwapShortValues",
       [=](TTernaryPointList& l) {
         std::vector<TTernaryPoint> items{{1, 0, 0}, {0, 1, 0}};
         std::vector<double> values{5};
         l.SwapItems(items, values);
       },
       "5 - has"},
      {"SwapNoValues",
       [=](TTernaryPointList& l) {
         std::vector<TTernaryPoint> items{{1, 0, 0}};
         std::vector<double> values{none};
         l.SwapItems(items, values);
       },
       "- none"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTernaryPointList list;
    list.Add({0.2, 0.3, 0.5}, 1);
    list.Add({0.2, 0.3, 0.5});
    list.Add({0.2, 0.3, 0.5}, 3);
    c.Edit(list);
    EXPECT_EQ(ValuesText(list), c.Values);
  }
}

TEST(TernaryList, SwapHandsBackTheFormerValues) {
  TTernaryPointList list;
  list.Add({0, 0, 1}, 4);
  std::vector<TTernaryPoint> items;
  std::vector<double> values;
  list.SwapItems(items, values);
  EXPECT_EQ(values, std::vector<double>{4});
  EXPECT_EQ(ValuesText(list), "none");
  list.SwapItems(items, values);
  EXPECT_EQ(ValuesText(list), "4 has");
  list.Add({0, 0, 1}, std::nan(""));
  list.Delete(0);
  EXPECT_EQ(ValuesText(list), "- has");  // kept until the values are replaced
}

TEST(TernaryList, ValuesAreReadInItemOrder) {
  const struct {
    const char* Text;
    const char* Values;
  } cases[] = {
      {"<Values><V>1</V><V/><V>3</V></Values>", "1 - 3 has"},
      {"<Values><V>1</V></Values>", "1 - - has"},
      {"<Values><V>1</V><V>2</V><V>3</V><V>4</V></Values>", "1 2 3 has"},
      {"<Values><V>x</V><V>1,5</V><W>2</W><V>inf</V></Values>", "- - - none"},
      {"<Values><W>2</W><V> 5 </V></Values>", "5 - - has"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    pugi::xml_document document;
    TTernaryPointList list;
    for (int i = 0; i < 3; ++i) list.Add({0, 0, 1});
    list.LoadValuesFromXML(Parse(document, c.Text), nullptr);
    EXPECT_EQ(ValuesText(list), c.Values);
  }
}
