#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

struct TSizeCase {
  const char* Size;
  const char* Dpi;
  QSize Pixels;  // empty: refused
  QSize Layout;
  bool Physical;
};

const TSizeCase kSizes[] = {
    {"800x600", "96", {800, 600}, {800, 600}, false},
    {"800x600", "300", {2500, 1875}, {800, 600}, false},
    {"800X600px", "72.5", {604, 453}, {800, 600}, false},
    {"84mmx70mm", "600", {1984, 1654}, {318, 265}, true},
    {"84mmx70mm", "96", {317, 265}, {318, 265}, true},
    {"8.5cmx7cm", "300", {1004, 827}, {322, 265}, true},
    {"3.3inx2.8in", "300", {990, 840}, {317, 269}, true},
    {"84mmx600", "96", {317, 600}, {318, 600}, true},  // the sides may mix units
    {"8192x10", "96", {8192, 10}, {8192, 10}, false},
    {"8192x10", "300", {}, {}, false},  // 25,600 pixels wide
    {"8193x10", "96", {}, {}, false},
    {"0x600", "96", {}, {}, false},
    {"800.5x600", "96", {}, {}, false},  // pixels are whole
    {"84mm", "96", {}, {}, false},
    {"84 mmx70mm", "96", {}, {}, false},
    {"84,5mmx70mm", "96", {}, {}, false},
    {"84ptx70pt", "96", {}, {}, false},
    {"800x600", "9", {}, {}, false},
    {"800x600", "2401", {}, {}, false},
    {"800x600", "abc", {}, {}, false},
    {"800x600", "nan", {}, {}, false},
    {"800x600", "", {}, {}, false},
};

}  // namespace

TEST(CommandLine, SizeAndResolutionGiveThePicturesPixelsAndLayout) {
  for (const TSizeCase& c : kSizes) {
    SCOPED_TRACE(std::string(c.Size) + " at " + c.Dpi);
    if (c.Pixels.isEmpty()) {
      EXPECT_THROW(app::ExportPictureSize(QLatin1String(c.Size), QLatin1String(c.Dpi), true), app::TCommandLineError);
      continue;
    }
    const control::TPictureSize picture = app::ExportPictureSize(QLatin1String(c.Size), QLatin1String(c.Dpi), true);
    EXPECT_EQ(picture.Pixels(), c.Pixels);
    EXPECT_EQ(picture.Layout(), c.Layout);
    EXPECT_EQ(picture.Physical, c.Physical);
  }
}

TEST(CommandLine, AVectorPictureIsNotLimitedByTheRastersPixels) {
  EXPECT_NO_THROW(app::ExportPictureSize(QStringLiteral("8192x10"), QStringLiteral("300"), false));
  EXPECT_THROW(app::ExportPictureSize(QStringLiteral("8193x10"), QStringLiteral("300"), false), app::TCommandLineError);
}
