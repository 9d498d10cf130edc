// Fonts named by documents resolve to the same installed fonts everywhere.
#include "control/default_font.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

namespace {

TEST(DefaultFont, WindowsFamiliesResolveToTheirMetricCompatibleFonts) {
  control::InstallFontSubstitutions();
  const struct {
    const char* Family;
    const char* Resolved;
  } cases[] = {
      {"Arial", "Liberation Sans"},
      {"MS Sans Serif", "Liberation Sans"},
      {"Times New Roman", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},
      {"Tahoma", "DejaVu Sans"},
      {"Verdana", "DejaVu Sans"},
  };
  for (const auto& c : cases) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(c.Family))) continue;  // the real font is installed here
    QFont font(QString::fromLatin1(c.Family));
    font.setStyleHint(QFont::SansSerif);
    EXPECT_EQ(QFontInfo(font).family().toStdString(), c.Resolved) << c.Family;
    EXPECT_EQ(font.family().toStdString(), c.Family) << "the font keeps the name it was given";
  }
}

TEST(DefaultFont, TheWindowFontIsMsSansSerifDrawnWithLiberationSans) {
  const QFont font = control::DefaultWindowFont();
  EXPECT_EQ(font.family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(font.pointSize(), 8);
  if (!QFontDatabase::hasFamily(font.family())) {
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
  }
}

}  // namespace
