// The example diagrams shipped with the program: each one loads completely
// and exports to a picture that shows it.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <pugixml.hpp>
#include <vector>

#include "control/default_font.h"
#include "control/document_io.h"
#include "control/graph_control.h"
#include "control/graph_export.h"
#include "model/graph_serie.h"
#include "model/points_serie.h"

namespace {

constexpr int kPngFormat = 7;

QStringList ExampleFiles() {
  const QDir folder(QStringLiteral(VARENTA_EXAMPLES_DIR));
  QStringList files;
  for (const QString& name : folder.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name))
    files << folder.filePath(name);
  return files;
}

// What the file itself holds: each series' name and number of items.
struct TSerieEntry {
  QString Name;
  int Items = 0;
};

std::vector<TSerieEntry> SeriesInFile(const QString& fileName) {
  pugi::xml_document document;
  control::ParseDocument(control::ReadFile(fileName), fileName, document);
  std::vector<TSerieEntry> entries;
  for (pugi::xml_node serie : document.child("GraphControl").child("Graph").child("Series").children("Serie")) {
    TSerieEntry entry{QString::fromUtf8(serie.child_value("Name")), 0};
    for (pugi::xml_node item : serie.child("Items").children()) entry.Items += item.type() == pugi::node_element;
    entries.push_back(entry);
  }
  return entries;
}

struct TExampleControl {
  TGraphControl control;

  explicit TExampleControl(const QString& fileName) {
    control::ApplyDefaultFont(control);
    control.resize(800, 600);
    control.show();
    control.LoadFromFile(fileName);
  }
};

TEST(Examples, ThereAreAtLeastThree) { EXPECT_GE(ExampleFiles().size(), 3); }

TEST(Examples, EachLoadsEverySeriesAndItemAndSavesBackUnchanged) {
  for (const QString& fileName : ExampleFiles()) {
    SCOPED_TRACE(fileName.toStdString());
    TExampleControl example(fileName);
    const TGraph& graph = example.control.Graph();
    const std::vector<TSerieEntry> expected = SeriesInFile(fileName);
    ASSERT_EQ(graph.SeriesCount(), int(expected.size()));
    for (int i = 0; i < graph.SeriesCount(); ++i) {
      const auto& serie = dynamic_cast<const TPointsSerie&>(graph.GetSerie(i));
      EXPECT_EQ(serie.Name(), expected[size_t(i)].Name);
      EXPECT_EQ(serie.Items().Count(), expected[size_t(i)].Items);
    }
    // A value the reader skipped would be written back as its default.
    QTemporaryDir folder;
    const QString saved = folder.filePath(QStringLiteral("saved.xml"));
    example.control.SaveToFile(saved);
    EXPECT_EQ(control::ReadFile(saved), control::ReadFile(fileName));
  }
}

TEST(Examples, EachExportsToAPictureOfItsFields) {
  for (const QString& fileName : ExampleFiles()) {
    SCOPED_TRACE(fileName.toStdString());
    TExampleControl example(fileName);
    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("example.png"));
    ASSERT_TRUE(control::Export(example.control, png, kPngFormat));
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(800, 600));
    // The filled fields cover a good part of the white background, what a
    // legend and a colour bar beside the triangle leave of it included.
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 4)
      for (int x = 0; x < image.width(); x += 4) {
        const QColor pixel = image.pixelColor(x, y);
        coloured += pixel.red() + pixel.green() + pixel.blue() < 3 * 240;
      }
    EXPECT_GT(coloured, (image.width() / 4) * (image.height() / 4) / 5);
  }
}

}  // namespace
