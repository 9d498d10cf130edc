// The program's headless export, run as the user runs it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>

#include "image_compare.h"

namespace {

const QString kSample = QStringLiteral(CONTROL_TEST_DATA "/export_sample.xml");

struct TRun {
  int ExitCode = -1;
  QString Output;
  QString Errors;
};

// childSetUp runs in the child before the program starts.
TRun RunProgram(const QStringList& arguments, const std::function<void()>& childSetUp = {}) {
  QProcess process;
  if (childSetUp) process.setChildProcessModifier(childSetUp);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program chooses its platform itself
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(VARENTA_EXECUTABLE), arguments);
  EXPECT_TRUE(process.waitForFinished(60000)) << arguments.join(QLatin1Char(' ')).toStdString();
  TRun run;
  run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.Output = QString::fromUtf8(process.readAllStandardOutput());
  run.Errors = QString::fromUtf8(process.readAllStandardError());
  return run;
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What each format's file starts with, when it is a picture of 396 x 411.
struct TFormatCase {
  const char* Extension;
  QByteArray Start;
  bool Raster;
};

const TFormatCase kFormats[] = {
    {"txt", "Sample diagram\r\n\r\nRocks\r\n0.2\t0.3\t0.5\r\n", false},
    {"xml", "<GraphControl>", false},
    {"emf", QByteArray("\x01\x00\x00\x00", 4), false},
    {"bmp", "BM", true},
    {"jpg", "\xFF\xD8", true},
    {"gif", "GIF89a", true},
    {"tif", "II*", true},
    {"png", "\x89PNG", true},
    {"svg", "<?xml", false},
    {"pdf", "%PDF-", false},
};

class HeadlessExport : public testing::Test {
 protected:
  QString PathOf(const QString& name) const { return folder.filePath(name); }
  QTemporaryDir folder;
};

TEST_F(HeadlessExport, WritesEveryFormatNamedByTheExtension) {
  for (const TFormatCase& format : kFormats) {
    const QString output = PathOf(QStringLiteral("sample.") + QLatin1String(format.Extension));
    const TRun run =
        RunProgram({QStringLiteral("--export"), output, QStringLiteral("--size"), QStringLiteral("396x411"), kSample});
    EXPECT_EQ(run.ExitCode, 0) << format.Extension << ": " << run.Errors.toStdString();
    EXPECT_EQ(run.Errors.toStdString(), "") << format.Extension;
    EXPECT_TRUE(ReadFile(output).startsWith(format.Start)) << format.Extension;
    if (format.Raster) {
      EXPECT_EQ(QImageReader(output).size(), QSize(396, 411)) << format.Extension;
    }
  }
}

TEST_F(HeadlessExport, FormatOptionTakesAnIndexOrANameWhateverTheExtension) {
  for (const QString& format : {QStringLiteral("7"), QStringLiteral("png"), QStringLiteral("PNG")}) {
    const QString output = PathOf(QStringLiteral("picture.dat"));
    const TRun run = RunProgram({QStringLiteral("--export"), output, QStringLiteral("--format"), format, kSample});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    EXPECT_TRUE(ReadFile(output).startsWith("\x89PNG")) << format.toStdString();
    QFile::remove(output);
  }
}

TEST_F(HeadlessExport, DefaultSizeIs800By600) {
  const QString output = PathOf(QStringLiteral("default.png"));
  ASSERT_EQ(RunProgram({QStringLiteral("--export"), output, kSample}).ExitCode, 0);
  EXPECT_EQ(QImageReader(output).size(), QSize(800, 600));
}

struct TResolutionCase {
  const char* Size;
  const char* Dpi;
  QSize Pixels;
};

TEST_F(HeadlessExport, RasterFilesHaveThePixelsOfSizeAndDpiAndRecordTheResolution) {
  const TResolutionCase cases[] = {{"800x600", "300", {2500, 1875}}, {"84mmx70mm", "600", {1984, 1654}}};
  for (const TResolutionCase& c : cases) {
    for (const char* extension : {"png", "tif", "jpg", "bmp"}) {
      SCOPED_TRACE(std::string(c.Size) + " " + c.Dpi + " " + extension);
      const QString output = PathOf(QStringLiteral("picture.") + QLatin1String(extension));
      const TRun run = RunProgram({QStringLiteral("--export"), output, QStringLiteral("--size"), QLatin1String(c.Size),
                                   QStringLiteral("--dpi"), QLatin1String(c.Dpi), kSample});
      ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
      const QImage image = QImageReader(output).read();
      EXPECT_EQ(image.size(), c.Pixels);
      const double dpi = QByteArray(c.Dpi).toDouble();
      EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, dpi, 0.01);
      EXPECT_NEAR(image.dotsPerMeterY() * 0.0254, dpi, 0.01);
    }
  }
}

TEST_F(HeadlessExport, ThePictureAtAHigherResolutionLooksLikeTheOneAt96Dpi) {
  const QString low = PathOf(QStringLiteral("low.png"));
  const QString high = PathOf(QStringLiteral("high.png"));
  ASSERT_EQ(RunProgram({QStringLiteral("--export"), low, kSample}).ExitCode, 0);
  ASSERT_EQ(RunProgram({QStringLiteral("--export"), high, QStringLiteral("--dpi=300"), kSample}).ExitCode, 0);
  const QImage expected = QImage(low).convertToFormat(QImage::Format_RGB32);
  const QImage scaled = QImage(high)
                            .scaled(expected.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB32);
  double difference = 0;
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x)
      difference += std::abs(qGray(expected.pixel(x, y)) - qGray(scaled.pixel(x, y)));
  // Thin lines and glyphs drawn sharper and scaled down differ in their
  // greys, never in their places: on the mostly white picture the mean
  // difference stays at a few grey levels.
  EXPECT_LT(difference / (expected.width() * expected.height()), 4.0);
}

TEST_F(HeadlessExport, VectorFilesOfAPhysicalSizeStateIt) {
  const QString pdf = PathOf(QStringLiteral("picture.pdf"));
  const QString svg = PathOf(QStringLiteral("picture.svg"));
  const QString emf = PathOf(QStringLiteral("picture.emf"));
  for (const QString& output : {pdf, svg, emf})
    ASSERT_EQ(RunProgram({QStringLiteral("--export"), output, QStringLiteral("--size=84mmx70mm"), kSample}).ExitCode,
              0);
  EXPECT_TRUE(ReadFile(pdf).contains("/MediaBox [0 0.5748 238.1102 199]"));
  EXPECT_TRUE(ReadFile(svg).contains(R"(width="84mm" height="70mm" viewBox="0 0 317.48 264.57")"));
  // The header's frame, right and bottom in 0.01 mm (bytes 32 to 39).
  const QByteArray header = ReadFile(emf);
  ASSERT_GE(header.size(), 40);
  EXPECT_EQ(qFromLittleEndian<qint32>(header.constData() + 32), 8400);
  EXPECT_EQ(qFromLittleEndian<qint32>(header.constData() + 36), 7000);
}

TEST_F(HeadlessExport, TheHeadlessPictureIsTheWindowsPicture) {
  // The same document in the same size gives the same pixels in two runs,
  // and the header keeps the window's font: its caption is drawn.
  const QString first = PathOf(QStringLiteral("first.png"));
  const QString second = PathOf(QStringLiteral("second.png"));
  ASSERT_EQ(RunProgram({QStringLiteral("--export"), first, QStringLiteral("--size=300x320"), kSample}).ExitCode, 0);
  ASSERT_EQ(RunProgram({QStringLiteral("--export"), second, QStringLiteral("--size=300x320"), kSample}).ExitCode, 0);
  const QImage image(first);
  EXPECT_TRUE(SameImage(image, QImage(second)));
  int dark = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
  EXPECT_GT(dark, 10);  // the header's caption
}

struct TFailureCase {
  const char* Name;
  QStringList Arguments;  // %OUT% and %DOC% are replaced
  const char* Document;   // written to %DOC% when set
  const char* MessagePart;
};

void PrintTo(const TFailureCase& c, std::ostream* os) { *os << c.Name; }

class HeadlessExportFailure : public testing::TestWithParam<TFailureCase> {};

const TFailureCase kFailures[] = {
    {"MalformedDocument", {"--export", "%OUT%.png", "%DOC%"}, "<GraphControl><Graph>", "XML error"},
    {"TwoRootElements",
     {"--export", "%OUT%.png", "%DOC%"},
     "<GraphControl/><GraphControl/>",
     "more than one top-level element"},
    {"EmptyDocument", {"--export", "%OUT%.png", "%DOC%"}, "", "%DOC%"},
    {"MissingDocument", {"--export", "%OUT%.png", "%DOC%"}, nullptr, "%DOC%"},
    {"UnknownFormatName", {"--export", "%OUT%.png", "--format", "webp", "%DOC%"}, "<GraphControl/>", "unknown format"},
    {"FormatNameWithPercents",
     {"--export", "%OUT%.png", "--format", "w%3p%1", "%DOC%"},
     "<GraphControl/>",
     "\"w%3p%1\""},
    {"UnknownFormatIndex", {"--export", "%OUT%.png", "--format", "10", "%DOC%"}, "<GraphControl/>", "unknown format"},
    {"UnknownExtension", {"--export", "%OUT%.webp", "%DOC%"}, "<GraphControl/>", "%OUT%.webp"},
    {"OutputInAMissingFolder", {"--export", "%OUT%/none/picture.png", "%DOC%"}, "<GraphControl/>", "%OUT%/none"},
    {"TextInAMissingFolder", {"--export", "%OUT%/none/data.txt", "%DOC%"}, "<GraphControl/>", "%OUT%/none"},
    {"EmfInAMissingFolder", {"--export", "%OUT%/none/picture.emf", "%DOC%"}, "<GraphControl/>", "%OUT%/none"},
    {"BadSize", {"--export", "%OUT%.png", "--size", "0x600", "%DOC%"}, "<GraphControl/>", "0x600"},
    {"HugeSize", {"--export", "%OUT%.png", "--size", "99999x600", "%DOC%"}, "<GraphControl/>", "99999x600"},
    {"BadDpi", {"--export", "%OUT%.png", "--dpi", "high", "%DOC%"}, "<GraphControl/>", "\"high\""},
    {"DpiOutOfRange", {"--export", "%OUT%.png", "--dpi", "4800", "%DOC%"}, "<GraphControl/>", "10 to 2400"},
    {"TooManyPixels",
     {"--export", "%OUT%.png", "--size", "30inx2in", "--dpi", "600", "%DOC%"},
     "<GraphControl/>",
     "18000x1200"},
    {"NoDocument", {"--export", "%OUT%.png"}, nullptr, "document"},
    {"UnknownOption", {"--exprot", "%OUT%.png", "%DOC%"}, "<GraphControl/>", "exprot"},
};

TEST_P(HeadlessExportFailure, ExitsWithStatusOneAndOneLineNamingTheCause) {
  QTemporaryDir folder;
  const QString out = folder.filePath(QStringLiteral("out"));
  const QString doc = folder.filePath(QStringLiteral("diagram.xml"));
  if (GetParam().Document) {
    QFile file(doc);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().Document);
  }
  const auto expand = [&](QString text) {
    return text.replace(QLatin1String("%OUT%"), out).replace(QLatin1String("%DOC%"), doc);
  };
  QStringList arguments;
  for (const QString& argument : GetParam().Arguments) arguments << expand(argument);

  const TRun run = RunProgram(arguments);

  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Errors.count(QLatin1Char('\n')), 1) << run.Errors.toStdString();
  EXPECT_TRUE(run.Errors.contains(expand(QString::fromLatin1(GetParam().MessagePart)))) << run.Errors.toStdString();
  QStringList left = QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
  left.removeAll(QStringLiteral("diagram.xml"));
  EXPECT_EQ(left, QStringList()) << "no output is left behind";
}

INSTANTIATE_TEST_SUITE_P(Cases, HeadlessExportFailure, testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(HeadlessExportWarning, ADocumentThatIsNotADiagramOrHasUnknownSeriesIsExportedWithOneWarning) {
  QTemporaryDir folder;
  const struct {
    const char* Document;
    const char* Warning;  // %DOC% is replaced
  } cases[] = {
      {"<?xml version=\"1.0\"?><html><body><p>Not a diagram</p></body></html>",
       "varenta-diagram: warning: \"%DOC%\" holds no diagram: its root element \"html\" has none of "
       "BackgroundColor, MainHeader, MainFooter, Graph\n"},
      {"<GraphControl><Graph><Series><Serie Type=\"TPointSerie\"/><Serie Type=\"TPointsSerie\"/>"
       "<Serie Type=\"TLineSerie\"/><Serie Type=\"TPointSerie\"/><Serie/></Series></Graph></GraphControl>",
       "varenta-diagram: warning: \"%DOC%\": 4 series left out, of unknown type \"TPointSerie\", \"TLineSerie\", "
       "\"\"\n"},
      {"<GraphControl><Graph><Series><Serie Type=\"TSurfaceSerie\"/></Series></Graph></GraphControl>", ""},
  };
  for (const auto& c : cases) {
    const QString document = folder.filePath(QStringLiteral("document.xml"));
    const QString output = folder.filePath(QStringLiteral("picture.png"));
    QFile file(document);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.Document);
    file.close();
    const TRun run = RunProgram({QStringLiteral("--export"), output, document});
    EXPECT_EQ(run.ExitCode, 0) << c.Document;
    EXPECT_EQ(run.Errors, QString::fromLatin1(c.Warning).replace(QLatin1String("%DOC%"), document));
    EXPECT_TRUE(ReadFile(output).startsWith("\x89PNG")) << c.Document;
  }
}

TEST(HeadlessExportTarget, AFullDiskGivesStatusOneAndTheSystemsReasonAndTheDeviceSurvives) {
  if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
  for (const char* format : {"svg", "pdf", "png", "emf", "txt"}) {
    const TRun run = RunProgram({QStringLiteral("--export"), QStringLiteral("/dev/full"), QStringLiteral("--format"),
                                 QLatin1String(format), kSample});
    EXPECT_EQ(run.ExitCode, 1) << format;
    EXPECT_EQ(run.Errors, QStringLiteral("varenta-diagram: Cannot write \"/dev/full\": No space left on device\n"))
        << format;
    struct stat status {};
    ASSERT_EQ(::stat("/dev/full", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode)) << format;
  }
}

TEST(HeadlessExportTarget, AWriteThatFailsKeepsTheOldFile) {
  QTemporaryDir folder;
  // A file size limit makes every write past 4 KiB fail with "File too large".
  const auto limitFileSize = [] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  };
  for (const char* name : {"old.png", "old.pdf", "old.svg", "old.xml"}) {
    const QString output = folder.filePath(QLatin1String(name));
    QFile old(output);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const TRun run =
        RunProgram({QStringLiteral("--export"), output, QStringLiteral("--size=800x800"), kSample}, limitFileSize);
    EXPECT_EQ(run.ExitCode, 1) << name;
    EXPECT_TRUE(run.Errors.contains(QLatin1String("File too large"))) << run.Errors.toStdString();
    EXPECT_EQ(ReadFile(output), "old") << name;
  }
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 4) << "no temporary file is left";
}

TEST(CommandLine, HelpAndVersionPrintAndExitWithoutADisplay) {
  const TRun help = RunProgram({QStringLiteral("--help")});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_TRUE(help.Output.contains(QLatin1String("--export"))) << help.Output.toStdString();
  const TRun version = RunProgram({QStringLiteral("--version")});
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_TRUE(version.Output.contains(QLatin1String("0.1.0"))) << version.Output.toStdString();
}

}  // namespace
