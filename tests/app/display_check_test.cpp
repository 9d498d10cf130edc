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
  const struct {
    QString Display, WaylandDisplay;
    QStringList Named;
  } cases[] = {
      {x11, {}, {x11}},
      {{}, QStringLiteral("wayland-gone"), {QStringLiteral("wayland-gone")}},
      {{}, wayland, {wayland}},
      {x11, wayland, {x11, wayland}},
  };
  for (const auto& c : cases) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The suite's offscreen platform would hide the display.
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_SESSION_TYPE"})
      environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
    if (!c.Display.isEmpty()) environment.insert(QStringLiteral("DISPLAY"), c.Display);
    if (!c.WaylandDisplay.isEmpty()) environment.insert(QStringLiteral("WAYLAND_DISPLAY"), c.WaylandDisplay);
    const QString output = folder.filePath(QStringLiteral("picture.png"));
    for (const QStringList& arguments :
         {QStringList{document}, QStringList{QStringLiteral("--export"), output, document}}) {
      QProcess process;
      process.setProcessEnvironment(environment);
      process.setChildProcessModifier([] {
        const rlimit noCore{0, 0};  // a regression must not litter the source tree
        ::setrlimit(RLIMIT_CORE, &noCore);
      });
      process.start(QStringLiteral(VARENTA_EXECUTABLE), arguments);
      ASSERT_TRUE(process.waitForFinished(60000));
      const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
      const std::string context = (c.Named.join(QLatin1Char(' ')) + QLatin1Char(' ') + arguments[0]).toStdString();
      EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << context;
      const bool exports = arguments.size() > 1;
      EXPECT_EQ(process.exitCode(), exports ? 0 : 1) << context << ": " << errors.toStdString();
      EXPECT_EQ(errors.count(QLatin1Char('\n')), exports ? 0 : 1) << errors.toStdString();
      for (const QString& display : c.Named) EXPECT_EQ(errors.contains(display), !exports) << errors.toStdString();
      if (exports) {
        EXPECT_TRUE(QFile::remove(output)) << context;
      }
    }
  }
}

}  // namespace
