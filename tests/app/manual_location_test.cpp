#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/manual_location.h"

namespace {

// A prefix with bin/ and the installed manuals' folder; Help looks beside the
// program first (a build folder), then in the installed data folder.
TEST(ManualLocation, BesideTheProgramFirstThenTheInstalledDataFolder) {
  QTemporaryDir prefix;
  const QString bin = prefix.filePath(QStringLiteral("bin"));
  const QString installed = app::InstalledManualFolder(bin);
  ASSERT_TRUE(installed.startsWith(prefix.path() + QStringLiteral("/share/"))) << installed.toStdString();
  ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(installed));
  const QString name = QStringLiteral("manual.pdf");
  const auto touch = [](const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
  };

  EXPECT_EQ(app::LocateManual(bin, name), bin + QStringLiteral("/manual.pdf"));  // neither: beside, missing
  ASSERT_TRUE(touch(installed + QStringLiteral("/manual.pdf")));
  EXPECT_EQ(app::LocateManual(bin, name), installed + QStringLiteral("/manual.pdf"));
  ASSERT_TRUE(touch(bin + QStringLiteral("/manual.pdf")));
  EXPECT_EQ(app::LocateManual(bin, name), bin + QStringLiteral("/manual.pdf"));
}

}  // namespace
