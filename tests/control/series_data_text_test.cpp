// The series data as text: the text export and the clipboard text.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "control/clipboard_data.h"
#include "control/graph_export.h"
#include "control_fixture.h"

namespace {

constexpr int kTextFormat = 0;

struct TTextCase {
  const char* Name;
  bool HeaderVisible;
  const char* Header;
  bool FooterVisible;
  const char* Footer;
  bool WithSeries;
  const char* Exported;
  const char* Clipboard;
};

void PrintTo(const TTextCase& c, std::ostream* os) { *os << c.Name; }

#define SERIES "S1\r\n0.2\t0.3\t0.5\r\n0.25\t0.25\t0.5"

const TTextCase kTextCases[] = {
    {"NoSeriesBandsHidden", false, "", false, "", false, "\r\n", ""},
    {"NoSeriesEmptyHeader", true, "", false, "", false, "\r\n\r\n\r\n", ""},
    {"EmptyHeader", true, "", false, "", true, "\r\n\r\n" SERIES "\r\n", SERIES},
    {"BandsHidden", false, "Title", false, "End", true, SERIES "\r\n", SERIES},
    {"HeaderAndFooter", true, "Title", true, "End", true, "Title\r\n\r\n" SERIES "\r\n\r\nEnd\r\n",
     "Title\r\n\r\n" SERIES "\r\n\r\nEnd"},
    {"EmptyFooter", false, "", true, "", true, SERIES "\r\n\r\n\r\n", SERIES "\r\n\r\n"},
    {"FooterWithoutSeries", false, "", true, "End", false, "\r\n\r\nEnd\r\n", "\r\n\r\nEnd"},
};

#undef SERIES

class SeriesDataText : public testing::TestWithParam<TTextCase> {};

void Configure(TGraphControl& control, const TTextCase& c) {
  control.MainHeader().SetVisible(c.HeaderVisible);
  control.MainHeader().SetCaption(QString::fromUtf8(c.Header));
  control.MainFooter().SetVisible(c.FooterVisible);
  control.MainFooter().SetCaption(QString::fromUtf8(c.Footer));
  if (c.WithSeries) AddPointsSerie(control.Graph(), QStringLiteral("S1"), {{0.2, 0.3, 0.5}, {0.25, 0.25, 0.5}});
}

QByteArray ExportedText(TGraphControl& control) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("data.txt"));
  EXPECT_TRUE(control.Export(path, kTextFormat));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return file.readAll();
}

QString CopiedText(const TGraphControl& control) {
  control.CopyDataToClipboard();
  return QGuiApplication::clipboard()->text();
}

TEST_P(SeriesDataText, ExportWritesTheEntriesEachEndedByCrLf) {
  TGraphControl control;
  Configure(control, GetParam());
  EXPECT_EQ(ExportedText(control), QByteArray(GetParam().Exported));
}

TEST_P(SeriesDataText, ClipboardJoinsTheEntriesWithoutTrailingBreak) {
  TGraphControl control;
  Configure(control, GetParam());
  EXPECT_EQ(CopiedText(control), QString::fromUtf8(GetParam().Clipboard));
}

INSTANTIATE_TEST_SUITE_P(Cases, SeriesDataText, testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(SeriesDataTextLocale, NumbersUseTheUsersDecimalSeparator) {
  TDefaultLocaleScope french(QLocale(QLocale::French));
  TGraphControl control;
  control.MainHeader().SetVisible(false);
  control.MainFooter().SetVisible(false);
  AddPointsSerie(control.Graph(), QStringLiteral("S1"), {{0.2, 0.3, 0.5}});
  EXPECT_EQ(ExportedText(control), QByteArray("S1\r\n0,2\t0,3\t0,5\r\n"));
  EXPECT_EQ(CopiedText(control), QStringLiteral("S1\r\n0,2\t0,3\t0,5"));
}

TEST(SeriesDataTextEncoding, ExportKeepsEveryCharacterAsUtf8) {
  TGraphControl control;
  const QString caption = QStringLiteral("Granite \u00e9 \u00f1 \u4e2d\u6587");
  control.MainHeader().SetCaption(caption);
  control.MainFooter().SetVisible(false);
  EXPECT_EQ(ExportedText(control), caption.toUtf8() + "\r\n\r\n\r\n");
}

TEST(SeriesDataTextFailure, ExportIntoAMissingFolderRaisesNamingTheFile) {
  TGraphControl control;
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("missing/data.txt"));
  try {
    control.Export(path, kTextFormat);
    FAIL() << "no error raised";
  } catch (const std::runtime_error& error) {
    EXPECT_TRUE(QString::fromUtf8(error.what()).contains(path)) << error.what();
  }
  EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
