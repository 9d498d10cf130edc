// The program on a display that cannot be reached, run as the user runs it.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// A display number with neither a server's socket nor its lock file.
QString DisplayNobodyListensOn() {
  int number = 99;
  while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) ||
         QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
    ++number;
  return QStringLiteral(":%1").arg(number);
}

TEST(Program, AnUnreachableDisplayGivesOneLineNamingItAndStatusOneWhileExportStillWorks) {
  QTemporaryDir folder;  // XDG_RUNTIME_DIR, with no Wayland socket in it
  const QString document = folder.filePath(QStringLiteral("diagram.xml"));
  QFile file(document);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("<GraphControl><Graph/></GraphControl>") > 0);
  file.close();
  const QString x11 = DisplayNobodyListensOn();
  const QString wayland = folder.filePath(QStringLiteral("gone"));
  const QString output = folder.filePath(QStringLiteral("picture.png"));
  // DISPLAY and WAYLAND_DISPLAY, each named in the line when set.
  const std::pair<QString, QString> cases[] = {
      {x11, {}}, {{}, QStringLiteral("wayland-gone")}, {{}, wayland}, {x11, wayland}};
  for (const auto& [display, waylandDisplay] : cases) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The suite's offscreen platform would hide the display.
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_SESSION_TYPE"})
      environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
    if (!display.isEmpty()) environment.insert(QStringLiteral("DISPLAY"), display);
    if (!waylandDisplay.isEmpty()) environment.insert(QStringLiteral("WAYLAND_DISPLAY"), waylandDisplay);
    for (const bool exports : {false, true}) {
      QProcess process;
      process.setProcessEnvironment(environment);
      process.setChildProcessModifier([] {
        const rlimit noCore{0, 0};  // a regression must not litter the source tree
        ::setrlimit(RLIMIT_CORE, &noCore);
      });
      process.start(QStringLiteral(VARENTA_EXECUTABLE),
                    exports ? QStringList{QStringLiteral("--export"), output, document} : QStringList{document});
      ASSERT_TRUE(process.waitForFinished(60000));
      const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
      const std::string context =
          (display + QLatin1Char(' ') + waylandDisplay).toStdString() + ": " + errors.toStdString();
      EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << context;
      EXPECT_EQ(process.exitCode(), exports ? 0 : 1) << context;
      EXPECT_EQ(errors.count(QLatin1Char('\n')), exports ? 0 : 1) << context;
      for (const QString& named : {display, waylandDisplay})
        EXPECT_TRUE(named.isEmpty() || errors.contains(named) != exports) << context;
      EXPECT_EQ(QFile::remove(output), exports) << context;
    }
  }
}

}  // namespace
