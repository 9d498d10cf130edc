// The command-line import, run as the user runs it: the diagram is exported
// as a document so that its series can be read back.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kExample = QStringLiteral(EXAMPLES_DIR "/soil_localities.csv");
const QString kTemplate = QStringLiteral(EXAMPLES_DIR "/soil_texture.xml");

struct TRun {
  int ExitCode = -1;
  QString Errors;
  QByteArray Document;
};

TRun Export(QStringList arguments) {
  QTemporaryDir folder;
  const QString output = folder.filePath(QStringLiteral("out.xml"));
  arguments.prepend(output);
  arguments.prepend(QStringLiteral("--export"));
  QProcess process;
  process.start(QStringLiteral(VARENTA_EXECUTABLE), arguments);
  EXPECT_TRUE(process.waitForFinished(60000));
  TRun run;
  run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.Errors = QString::fromUtf8(process.readAllStandardError());
  QFile file(output);
  if (file.open(QIODevice::ReadOnly)) run.Document = file.readAll();
  return run;
}

QString Written(const QString& name, const QByteArray& text) {
  static QTemporaryDir folder;
  const QString path = folder.filePath(name);
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(text);
  return path;
}

struct TCase {
  QStringList Arguments;
  int ExitCode;
  QString Errors;
  std::vector<QByteArray> InDocument;
};

TEST(ImportCommand, ExportsTheSeriesOfADataFile) {
  const QString skipped = Written(QStringLiteral("skipped.csv"), "Sand;Silt;Clay\n0,2;0,3;0,5\n;1;1\nx;1;1\n1;1;1\n");
  const TCase cases[] = {
      {{kExample},
       0,
       QStringLiteral("varenta-diagram: soil_localities.csv: 25 rows, 0 skipped\n"),
       {"<Name>soil_localities</Name>", "<Text>Sand</Text>", "<TP>62;25;13</TP>"}},
      {{QStringLiteral("--columns"), QStringLiteral("Clay,4,Sand"), QStringLiteral("--close"), kExample},
       0,
       {},
       {"<TP>0.13;0.25;0.62</TP>", "<Text>Clay</Text>"}},
      {{QStringLiteral("--group"), QStringLiteral("Site"), kExample},
       0,
       {},
       {"<Name>Brévent</Name>", "<Name>Valras</Name>", "<DotType>4</DotType>"}},
      {{QStringLiteral("--style"), kTemplate, QStringLiteral("--group"), QStringLiteral("1"), kExample},
       0,
       {},
       {"Soil texture classes", "<Name>Loamy sand</Name>", "<Name>Lavaur</Name>"}},
      {{skipped},
       0,
       QStringLiteral("varenta-diagram: skipped.csv: 4 rows, 2 skipped (lines 3, 4)\n"),
       {"<TP>0.2;0.3;0.5</TP>"}},
      {{QStringLiteral("--columns"), QStringLiteral("Sand,Silt"), kExample},
       1,
       QStringLiteral("varenta-diagram: --columns needs three columns separated by commas, as in \"Sand,Silt,Clay\"\n"),
       {}},
      {{QStringLiteral("--group"), QStringLiteral("Region"), kExample},
       1,
       QStringLiteral("varenta-diagram: --group: no column \"Region\" in the data file\n"),
       {}},
      {{Written(QStringLiteral("names.csv"), "Site,Name\na,b\n")},
       1,
       QStringLiteral("varenta-diagram: Cannot import \"names.csv\": it has fewer than three numeric columns\n"),
       {}},
      {{QStringLiteral("--close"), kTemplate},
       1,
       QStringLiteral("varenta-diagram: --columns, --group, --close and --style apply to a data file (.csv, .tsv, "
                      ".txt, .xlsx or .ods) only\n"),
       {}},
  };
  for (const TCase& test : cases) {
    const TRun run = Export(test.Arguments);
    const std::string what = test.Arguments.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(run.ExitCode, test.ExitCode) << what << ": " << run.Errors.toStdString();
    if (!test.Errors.isEmpty()) {
      EXPECT_EQ(run.Errors, test.Errors) << what;
    }
    EXPECT_EQ(run.Document.isEmpty(), test.ExitCode != 0) << what;
    for (const QByteArray& part : test.InDocument)
      EXPECT_TRUE(run.Document.contains(part)) << what << ": " << part.data();
  }
}

}  // namespace
